#include "suite/TaxSuiteStatus.h"

#include "platform/core/Format.h"
#include "platform/os/FileService.h"
#include "platform/os/PathMapper.h"
#include "platform/os/SystemFolders.h"
#include "suite/KQUserDetails.h"
#include "suite/SuiteEnvironment.h"

#include <memory>

namespace tarnwick {

TTaxSuiteStatus::TTaxSuiteStatus()
{
    DataSource = ReadSuiteSetting("DataSource");
    if (!DataSource.empty()) {
        ProgramsDir = NormaliseFolder(ReadSuiteSetting("ProgramsDir"));
        ShareDir = GetShareFolder();
        ReadOnlyDir = GetReadOnlyShareFolder();
        LocksDir = NormaliseFolder(ShareDir + "Locks\\");
        ToolsDir = NormaliseFolder(ReadOnlyDir + "Tools\\");
    }
    LogsDir = GetLogsFolder();

    std::string common = os::SpecialFolders().CommonAppDataFolder();
    if (!common.empty()) {
        LocalLogsDir = Format("%s%s\\%s\\",
                              {os::IncludeTrailingPathDelimiter(common), "Vexholm", "Vexholm Accountants"}) +
                       "Logs\\";
        os::Files().ForceDirectories(LocalLogsDir);
    } else {
        LocalLogsDir = LogsDir;
    }

    TKQUserDetails details;
    details.Fill();
    ComputerName = details.ComputerName;
}

std::string TTaxSuiteStatus::NormaliseFolder(std::string_view path)
{
    return os::IncludeTrailingPathDelimiter(os::PathMapper().ExpandFileName(path));
}

namespace {

struct TStatusState {
    std::unique_ptr<TTaxSuiteStatus> Status;
    bool Released = false;
};

TStatusState& State()
{
    static TStatusState state;
    return state;
}

} // namespace

const TTaxSuiteStatus* GetSuiteStatus()
{
    if (State().Released) return nullptr;
    if (!State().Status) State().Status = std::make_unique<TTaxSuiteStatus>();
    return State().Status.get();
}

void ReleaseSuiteStatus()
{
    State().Status.reset();
    State().Released = true;
}

void ResetSuiteStatus() { State() = {}; }

} // namespace tarnwick
