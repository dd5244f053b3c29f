#include "sandbox/SuiteSandbox.h"

#include "platform/core/Format.h"
#include "platform/core/Strings.h"
#include "platform/os/FileService.h"
#include "platform/os/MachineIdentity.h"
#include "platform/os/PathMapper.h"
#include "platform/os/Registry.h"
#include "platform/os/RegistryStore.h"
#include "platform/os/SystemFolders.h"
#include "platform/sql/Driver.h"
#include "platform/sql/sim/SimDriver.h"
#include "platform/sql/sim/SimRoot.h"
#include "platform/sql/sim/SuiteSchema.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace tarnwick::sandbox {

namespace {

constexpr const char* UserKey = "Software\\Vexholm\\Vexholm Taxation";
constexpr const char* MachineKey = "SOFTWARE\\Vexholm\\Vexholm Taxation";

// What TaxReadOnly and TaxSecurities carry, and what MasterSettings expects of them.
constexpr const char* ReadOnlyVersion = "2025.2.1";
constexpr const char* SecuritiesUpdated = "2025-11-28";

const char* const Clients[][2] = {
    {"ABC001", "Abbott, Caroline"}, {"BRO002", "Brookes & Sons"}, {"CHA003", "Chandra, Priya"},
    {"DUN004", "Dunmore Farms"},    {"EVA005", "Evans, Gareth"},  {"FOX006", "Foxley, M\xE9lanie"},
};

void WriteRegistryValues(os::TRegistryRoot root, const char* key, const std::string& server)
{
    os::TRegistry registry(root);
    registry.OpenKey(key, true);
    registry.WriteString("DataSource", server);
    registry.WriteString("ProgramsDir", SandboxProgramsDir);
    registry.CloseKey();
}

} // namespace

TSuiteSandbox::TSuiteSandbox(std::filesystem::path folder)
    : folder_(std::filesystem::absolute(std::move(folder)))
{
}

bool TSuiteSandbox::Exists() const { return std::filesystem::exists(UserRegistry()); }

std::string TSuiteSandbox::DataSource() const
{
    os::TRegistry registry(os::TRegistryRoot::HKEY_CURRENT_USER);
    if (!registry.OpenKeyReadOnly(UserKey)) return {};
    return registry.ReadString("DataSource");
}

void TSuiteSandbox::Activate() const
{
    const auto set = [](const char* name, const std::filesystem::path& value) {
        setenv(name, value.string().c_str(), 1);
    };
    std::filesystem::create_directories(TempFolder());
    set("TARNWICK_UNC_ROOT", UncRoot());
    set("TARNWICK_DRIVE_ROOT", DriveRoot());
    set("TARNWICK_REGISTRY_USER", UserRegistry());
    set("TARNWICK_REGISTRY_MACHINE", MachineRegistry());
    set("TARNWICK_COMMON_APPDATA", CommonAppData());
    set("TARNWICK_SIM_ROOT", SimRoot());
    set("TMPDIR", TempFolder());
    // Services made before the switch read their places again.
    os::SetPathMapper(nullptr);
    os::SetRegistryStore(nullptr);
    os::SetSpecialFolders(nullptr);
    sql::sim::SetSimRoot(SimRoot());
    sql::SetDriver(std::make_shared<sql::sim::TSimDriver>());
}

void TSuiteSandbox::Build(const TSandboxOptions& options)
{
    std::filesystem::create_directories(folder_);
    Activate();
    if (Exists()) return;
    const std::string server =
        options.DataSource.empty() ? os::MachineIdentity().ComputerName() : options.DataSource;
    const std::string machine = server.substr(0, server.find('\\'));
    BuildFolders(machine);
    BuildServer(options, server);
    // The registry comes last: its file marks a finished sandbox.
    BuildRegistry(server);
}

void TSuiteSandbox::BuildFolders(const std::string& machine) const
{
    auto& files = os::Files();
    const std::string share = "\\\\" + machine + "\\VexholmTaxationShareDir\\";
    const std::string readOnly = "\\\\" + machine + "\\VexholmTaxationReadOnly\\";
    for (const std::string& folder : {share + "Locks\\", share + "Logs\\", readOnly + "Tools\\",
                                      "\\\\" + machine + "\\VexholmSuiteAutoUpdate$\\Tax\\",
                                      std::string(SandboxProgramsDir), std::string("C:\\VexholmBackups\\")})
        files.ForceDirectories(folder);
    std::filesystem::create_directories(CommonAppData());
}

void TSuiteSandbox::BuildRegistry(const std::string& server) const
{
    std::filesystem::create_directories(UserRegistry().parent_path());
    WriteRegistryValues(os::TRegistryRoot::HKEY_LOCAL_MACHINE, MachineKey, server);
    WriteRegistryValues(os::TRegistryRoot::HKEY_CURRENT_USER, UserKey, server);
    os::TRegistry registry(os::TRegistryRoot::HKEY_CURRENT_USER);
    registry.OpenKey(UserKey, true);
    registry.WriteInteger("DefaultDataset", 1);
}

void TSuiteSandbox::BuildServer(const TSandboxOptions& options, const std::string& server) const
{
    std::filesystem::remove_all(sql::sim::SimRoot() / sql::sim::ServerFolderName(server));
    auto sim = sql::sim::CreateSuiteServer(server, 0, SimRoot());
    sql::sim::SetSuiteSettings(sim, "TaxMaster", "MasterSettings",
                               {
                                   {"Version", options.DataVersion},
                                   {"FullVersion", options.FullVersion},
                                   {"UpdateComplete", "True"},
                                   {"TableStructureOK", "True"},
                                   {"RestoreOK", "True"},
                                   {"DataBeta", "False"},
                                   {"TaxReadOnlyVersion", ReadOnlyVersion},
                                   {"SecuritiesLastUpdated", SecuritiesUpdated},
                                   {"ZBkUpCfg:SQLDestDir", "C:\\VexholmBackups\\"},
                               });
    sim.Execute("TaxMaster",
                "INSERT INTO ApplicationVersions (FileName, FileVersion) VALUES "
                "('VexholmTax.exe', '28.1.16.9999')\r\n"
                "INSERT INTO UniqueIDs (TableName, FieldName, IDValue) VALUES ('KQ20', 'DescNumber', 100)");
    sql::sim::SetSuiteSettings(sim, "TaxReadOnly", "DatabaseSettings",
                               {{"TaxReadOnlyVersion", ReadOnlyVersion}});
    sim.Execute("TaxReadOnly", "INSERT INTO DefaultReturns (TaxYear, ReturnType) VALUES (2025, 'SA100')\r\n"
                               "INSERT INTO DefaultReturns (TaxYear, ReturnType) VALUES (2025, 'R40')");
    sql::sim::SetSuiteSettings(sim, "TaxSecurities", "DatasetSettings", {{"LastUpdated", SecuritiesUpdated}});

    const std::size_t clientCount = std::size(Clients);
    for (int number = 1; number <= options.Datasets; ++number) {
        const bool missing = std::find(options.MissingDatabases.begin(), options.MissingDatabases.end(),
                                       number) != options.MissingDatabases.end();
        if (missing) {
            sql::sim::RegisterSuiteDataset(sim, number);
            continue;
        }
        sql::sim::CreateSuiteDataset(sim, number);
        const std::string database = Format("TaxData%d", {number});
        sql::sim::SetSuiteSettings(sim, database, "DatasetSettings",
                                   {{"Dataset", std::to_string(number)},
                                    {"Version", options.DataVersion},
                                    {"UpdateComplete", "True"},
                                    {"TableStructureOK", "True"}});
        std::string sql;
        // Each dataset holds a different pair of the practice's clients.
        for (std::size_t k = 0; k < 2; ++k) {
            const auto& client = Clients[(static_cast<std::size_t>(number - 1) * 2 + k) % clientCount];
            sql += Format("INSERT INTO KQ01 (ClientCode, ClientName) VALUES (%s, %s)\r\n",
                          {QuotedStr(client[0]), QuotedStr(client[1])});
        }
        sim.Execute(database, sql);
    }
    sim.SetDrives({{'C', 240 * 1024}, {'D', 1800 * 1024}});
    sim.MakeFolder("C:\\VexholmBackups\\");
}

} // namespace tarnwick::sandbox
