#include "support/SimulatedSuite.h"

#include "db/TaxModule.h"
#include "diag/CrashReportEngine.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Format.h"
#include "platform/core/Strings.h"
#include "platform/os/CommandLine.h"
#include "platform/os/Process.h"
#include "platform/sql/sim/SuiteSchema.h"
#include "suite/AppInfo.h"
#include "suite/DisplayVersion.h"
#include "suite/SuiteEnvironment.h"
#include "suite/VexholmRegistry.h"
#include "support/ElfTestFile.h"

#include <chrono>
#include <thread>

namespace tarnwick::test {

SimulatedSuite::SimulatedSuite(int datasets, const std::string& dataSource) : Sim(datasets, dataSource)
{
    os::SetCommandLineArgs({});
    Os.Registry.SetString(HKEY_CURRENT_USER, std::string(UserSuiteKey), "DataSource", dataSource);
    (*Toolkit).OnSleep(
        [](int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); });
    Restart();
}

void SimulatedSuite::Restart()
{
    ResetProgram();
    CrashReportEngine().SetOnNotify([this](const std::exception_ptr& error, bool& handled) {
        Reported.push_back(MessageOf(error));
        handled = true;
    });
    UseProgram("0");
}

SimulatedSuite::~SimulatedSuite()
{
    ResetProgram();
    os::SetCommandLineArgs({});
    os::SetProgramFileName("");
}

void SimulatedSuite::ResetProgram()
{
    ReleaseTaxModule();
    ResetCrashReportEngine();
    ResetVersionSuffix();
    FinaliseAppInfo();
    ResetSuiteEnvironment();
}

std::string SimulatedSuite::ProgramFile() const { return Os.Paths.Folder() / "Tarnwick"; }

void SimulatedSuite::UseProgram(const std::string& fileFlags, bool systemTest)
{
    const std::string block = std::string("TARNWICK VERSIONINFO 1\nFileVersion=") + ProgramVersion +
                              "\nFileFlagsMask=0x3F\nFileFlags=" + fileFlags +
                              "\nTranslation=0809 04E4\n[080904E4]\nFileDescription=" + ProgramDescription +
                              "\nFileVersion=" + ProgramVersion + "\n";
    WriteElfFile(ProgramFile(), {{"tarnwick_version", block}});
    if (systemTest) Os.Registry.SetString(HKEY_CURRENT_USER, std::string(SystemTestKey), "", "");
    os::SetProgramFileName(ProgramFile());
    FinaliseAppInfo();
    InitialiseAppInfo();
}

void SimulatedSuite::SetSetting(const std::string& database, const std::string& table,
                                const std::string& name, const std::string& value)
{
    sql::sim::SetSuiteSettings(Sim.Server(), database, table, {{name, value}});
}

void SimulatedSuite::AddClient(int dataset)
{
    Sim->Execute(Format("TaxData%d", {dataset}),
                 "INSERT INTO KQ01 (ClientCode, ClientName) VALUES ('C001', 'Client One')");
}

void SimulatedSuite::SetDatasetSetting(int dataset, const std::string& name, const std::string& value)
{
    SetSetting(Format("TaxData%d", {dataset}), "DatasetSettings", name, value);
}

void SimulatedSuite::MakeDatasetCurrent(int dataset)
{
    AddClient(dataset);
    SetDatasetSetting(dataset, "Dataset", IntToStr(dataset));
    SetDatasetSetting(dataset, "Version", ProgramVersion);
    SetDatasetSetting(dataset, "UpdateComplete", "True");
    SetDatasetSetting(dataset, "TableStructureOK", "1");
}

} // namespace tarnwick::test
