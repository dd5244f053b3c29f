#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

// Show modes of a started program's window.
inline constexpr int smMinimized = 0;
inline constexpr int smMaximized = 1;
inline constexpr int smNormal = 2;
inline constexpr int smHidden = 3;

// Puts the program part of a command line (up to the first blank after its folder) in
// double quotes; leaves empty, already quoted and folder-less command lines as they are.
std::string QuoteProgramPath(std::string_view commandLine);

// Starts a program and lets it run on its own; false when it cannot be started.
bool StartProgram(std::string_view commandLine, int showMode, bool quote, std::string_view workingFolder);
// Starts a program and waits for its end while the toolkit's messages keep being handled;
// false when it cannot be started. Sets LastExitCode. A request to end the application seen
// while waiting ends the program at once.
bool RunProgramAndWait(std::string_view commandLine, int showMode, bool quote,
                       std::string_view workingFolder);
// The exit code of the last program RunProgramAndWait waited for.
int LastExitCode();

// Starts the installation checker from the Tools folder with the switch of that index of
// InstallCheckerSwitches; when it starts, minimises the application and asks it to end,
// otherwise tells the user it could not run.
void RunInstallationChecker(int switchIndex);

} // namespace tarnwick
