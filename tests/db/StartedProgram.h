#pragma once

#include "platform/os/Process.h"
#include "suite/AppInfo.h"
#include "suite/SuiteEnvironment.h"
#include "support/ElfTestFile.h"
#include "support/OsSandbox.h"

#include <string>

namespace tarnwick::test {

// The program as started: its suite data source in the per-user registry and its file
// description in its version information (none at all when the description is empty).
class StartedProgram {
public:
    StartedProgram(const std::string& dataSource, const std::string& description)
    {
        ResetSuiteEnvironment();
        FinaliseAppInfo();
        if (!dataSource.empty())
            Os.Registry.SetString(os::TRegistryRoot::HKEY_CURRENT_USER, std::string(UserSuiteKey),
                                  "DataSource", dataSource);
        const std::string program = Os.Paths.Folder() / "Tarnwick";
        if (description.empty())
            WriteElfFile(program, {{".text", "code"}});
        else
            WriteElfFile(program, {{"tarnwick_version",
                                    "TARNWICK VERSIONINFO 1\nFileVersion=28.1.0.57\nTranslation=0809 04E4\n"
                                    "[080904E4]\nFileDescription=" +
                                        description + "\n"}});
        os::SetProgramFileName(program);
        InitialiseAppInfo();
    }
    ~StartedProgram()
    {
        FinaliseAppInfo();
        ResetSuiteEnvironment();
        os::SetProgramFileName("");
    }
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;

    OsSandbox Os;
};

} // namespace tarnwick::test
