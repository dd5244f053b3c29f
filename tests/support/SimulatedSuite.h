#pragma once

#include "support/OsSandbox.h"
#include "support/ScriptedToolkit.h"
#include "support/SimulatedServer.h"

#include <string>

namespace tarnwick::test {

// A suite for the system's tests: a machine sandbox whose registry names the simulated
// server "SRV01" as the suite's data source, the server with its datasets, a scripted
// toolkit whose sleeps take real time (so connection tests see the server answer), and a
// program file carrying version 28.1.0.57, "Taxation Utility 2025 R2". The suite
// environment, application information, database module and version suffix start afresh
// and are forgotten again at the end.
class SimulatedSuite {
public:
    static constexpr const char* ProgramVersion = "28.1.0.57";
    static constexpr const char* ProgramDescription = "Taxation Utility 2025 R2";

    explicit SimulatedSuite(int datasets = 2, const std::string& dataSource = "SRV01");
    ~SimulatedSuite();
    SimulatedSuite(const SimulatedSuite&) = delete;
    SimulatedSuite& operator=(const SimulatedSuite&) = delete;

    OsSandbox Os;
    SimulatedServer Sim;
    ScopedScriptedToolkit Toolkit;
    // The messages of the errors handed to the crash-report engine, which keeps none of them.
    TStringList Reported;

    // Writes the program file again with the file flags (0x1 debug, 0x2 pre-release) and, when
    // asked, the per-user "System Test" key, then works the application information out afresh.
    void UseProgram(const std::string& fileFlags, bool systemTest = false);
    std::string ProgramFile() const;

    // A row of a name/value settings table, replacing one of that name.
    void SetSetting(const std::string& database, const std::string& table, const std::string& name,
                    const std::string& value);
    // A client in the dataset, so that it holds data.
    void AddClient(int dataset);
    // The settings of a dataset whose data is in order for this program.
    void MakeDatasetCurrent(int dataset);
    void SetDatasetSetting(int dataset, const std::string& name, const std::string& value);

    // Starts the program afresh: every process-wide object of the system forgotten, then the
    // suite environment and application information worked out again from the sandbox.
    void Restart();
    // Forgets every process-wide object of the system.
    static void ResetProgram();
};

} // namespace tarnwick::test
