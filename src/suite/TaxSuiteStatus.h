#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

// Where the suite lives, worked out once per run from the registry and the machine.
// The share-derived folders are empty when no data source is set.
class TTaxSuiteStatus {
public:
    TTaxSuiteStatus();

    std::string DataSource;
    std::string ComputerName;
    std::string ReadOnlyDir;
    std::string ShareDir;
    std::string LocksDir;
    std::string ProgramsDir;
    std::string ToolsDir;
    std::string LogsDir;
    std::string LocalLogsDir;

    // The absolute form of a folder with exactly one trailing separator; empty stays empty.
    static std::string NormaliseFolder(std::string_view path);
};

// The single instance, made on first call; nothing once the program's end released it.
const TTaxSuiteStatus* GetSuiteStatus();
void ReleaseSuiteStatus();
// Forgets the instance and the release, for tests that start the program afresh.
void ResetSuiteStatus();

} // namespace tarnwick
