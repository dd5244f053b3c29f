#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

// Build kinds.
inline constexpr int bkUnclassified = 0;
inline constexpr int bkSystemTest = 4;
inline constexpr int bkRelease = 5;
inline constexpr int bkSystemTestHelpOverride = 6;

inline constexpr std::string_view SystemTestKey = "Software\\Vexholm\\Vexholm Taxation\\System Test";
inline constexpr std::string_view HelpOverrideKey = "Software\\Vexholm\\Vexholm Taxation\\Help Override";

// Program start, before any window: works out the application information from the
// program's own version information (and starts the suite environment first when it has not
// started). A second call does nothing.
void InitialiseAppInfo();
// Program end: the application texts are cleared; a later start works them out again.
void FinaliseAppInfo();

// "28.1.16.9999", or the placeholder text when the program has no version information.
std::string GetAppFileVersion();
std::string GetAppDescription();
int GetAppBuildKind();
// A pre-release build that is not a system-test build with today's help override.
bool AppIsBeta();

// 0 for a debug or private build or one without version information; else 4 when the
// per-user "System Test" key exists (6 when "Help Override" names today, whose stale value
// is deleted otherwise); else 5. Fixes the short date format "dd/mm/yyyy" for kind 4.
int DetermineBuildKind();

// The display form of a version: 28.1.0.57 gives "2025 R2", 28.0.11 "2025", 23.5 "v23.05",
// 10.2 "v10.2"; " Beta" follows for a beta. EConvertError when the year branch meets a major
// version that is not a number.
std::string FormatVersionText(std::string_view version);

} // namespace tarnwick
