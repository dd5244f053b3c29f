#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

inline constexpr std::string_view UserSuiteKey = "Software\\Vexholm\\Vexholm Taxation";
inline constexpr std::string_view MachineSuiteKey = "SOFTWARE\\Vexholm\\Vexholm Taxation";

// Program start, before any window: makes the registry object and reads the data source
// once, per user first. A second call does nothing.
void InitialiseSuiteEnvironment();
// Program end: frees the suite status and the registry object and clears the cached data
// source. GetSuiteStatus answers nothing from then on.
void FinaliseSuiteEnvironment();
// Back to the state before start-up, so that a test can start the program afresh.
void ResetSuiteEnvironment();

// The per-user value of a suite setting, or the machine-wide one when that is empty.
std::string ReadSuiteSetting(std::string_view name);

// The data source read at start-up ("SRV01\TAX"), never refreshed.
std::string GetDataSource();
// The data source up to its first backslash ("SRV01").
std::string GetServerMachineName();
// "\\<server>\VexholmTaxationShareDir\"
std::string GetShareFolder();
// "\\<server>\VexholmTaxationReadOnly\"
std::string GetReadOnlyShareFolder();
// The share's Logs folder when it exists, else the temporary folder.
std::string GetLogsFolder();

// The user's last dataset, -1 when none is stored.
int GetDefaultDataset();
bool SetDefaultDataset(int number);

} // namespace tarnwick
