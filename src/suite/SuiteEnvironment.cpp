#include "suite/SuiteEnvironment.h"

#include "platform/os/FileService.h"
#include "platform/os/PathMapper.h"
#include "platform/os/SystemFolders.h"
#include "suite/TaxSuiteStatus.h"
#include "suite/VexholmRegistry.h"

namespace tarnwick {

namespace {

constexpr std::size_t LongestTempFolder = 255;

struct TEnvironmentState {
    bool SetUp = false;
    std::string DataSource;
};

TEnvironmentState& State()
{
    static TEnvironmentState state;
    return state;
}

} // namespace

void InitialiseSuiteEnvironment()
{
    if (State().SetUp) return;
    VexholmRegistry();
    State().DataSource = ReadSuiteSetting("DataSource");
    State().SetUp = true;
}

void FinaliseSuiteEnvironment()
{
    ReleaseSuiteStatus();
    FreeVexholmRegistry();
    State().DataSource.clear();
}

void ResetSuiteEnvironment()
{
    ResetSuiteStatus();
    FreeVexholmRegistry();
    State() = {};
}

std::string ReadSuiteSetting(std::string_view name)
{
    std::string value = ReadRegistryString(HKEY_CURRENT_USER, UserSuiteKey, name);
    return value.empty() ? ReadRegistryString(HKEY_LOCAL_MACHINE, MachineSuiteKey, name) : value;
}

std::string GetDataSource() { return State().DataSource; }

std::string GetServerMachineName()
{
    const std::string& source = State().DataSource;
    return source.substr(0, source.find('\\'));
}

std::string GetShareFolder() { return "\\\\" + GetServerMachineName() + "\\VexholmTaxationShareDir\\"; }

std::string GetReadOnlyShareFolder()
{
    return "\\\\" + GetServerMachineName() + "\\VexholmTaxationReadOnly\\";
}

std::string GetLogsFolder()
{
    std::string logs = GetShareFolder() + "Logs\\";
    if (os::Files().DirectoryExists(logs)) return logs;
    return os::IncludeTrailingPathDelimiter(os::SpecialFolders().TempFolder().substr(0, LongestTempFolder));
}

int GetDefaultDataset() { return ReadRegistryInteger(HKEY_CURRENT_USER, UserSuiteKey, "DefaultDataset", -1); }

bool SetDefaultDataset(int number)
{
    return WriteRegistryInteger(HKEY_CURRENT_USER, UserSuiteKey, "DefaultDataset", number);
}

} // namespace tarnwick
