#pragma once

#include <array>
#include <string_view>

namespace tarnwick {

// The suite's other programs, by file name.
inline constexpr std::string_view BackupProgramFile = "Brevalt.exe";
inline constexpr std::string_view InstallCheckerFile = "Kelmoor.exe";
inline constexpr std::string_view ConverterProgramFile = "VexholmConv.exe";
inline constexpr std::string_view ThisProgramFile = "Tarnwick.exe";

// Programs that are never held to the registered-version test.
inline constexpr std::array<std::string_view, 4> ExemptPrograms = {ConverterProgramFile, BackupProgramFile,
                                                                   InstallCheckerFile, ThisProgramFile};

// A switch of the installation checker; the flags belong to the checker and are not read here.
struct TCommandLineSwitchDescriptor {
    std::string_view Switch;
    std::array<bool, 8> Flags;
};

inline constexpr int ServerSwitch = 1;
inline constexpr int WorkstationSwitch = 2;
inline constexpr int UpgradeSwitch = 6;

inline constexpr std::array<TCommandLineSwitchDescriptor, 10> InstallCheckerSwitches = {{
    {"", {}},
    {"/SERVER", {}},
    {"/WORKSTATION", {}},
    {"/ALL", {}},
    {"/DATA", {}},
    {"/APPS", {}},
    {"/UPGRADE", {}},
    {"/UPGRADECLEAR", {}},
    {"/SILENTSCAN", {}},
    {"/SILENTUPGRADE", {}},
}};

} // namespace tarnwick
