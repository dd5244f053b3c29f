#pragma once

#include "platform/sql/sim/SimServer.h"

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

// The databases and tables of the Vexholm Taxation suite as a simulated server holds them:
// TaxMaster (MasterSettings, KQ22, UniqueIDs, AppsInUse, ApplicationVersions),
// TaxReadOnly (DatabaseSettings, DefaultReturns), TaxSecurities (DatasetSettings) and
// TaxData<n> (DatasetSettings, KQ01, KQ06, KQ07, KQ20, TaxReturns,
// ClientSupplementaryData). Text columns compare without regard to case, as the suite's
// collation does; date-time columns compare by value.
namespace tarnwick::sql::sim {

// Makes a new server with master, TaxMaster, TaxReadOnly, TaxSecurities and
// the datasets 1 to datasets, each registered in KQ22 with the description "Dataset<n>".
TSimServer CreateSuiteServer(const std::string& dataSource, int datasets,
                             const std::filesystem::path& root = {});

// Adds dataset n: its database TaxData<n> and its KQ22 row.
void CreateSuiteDataset(const TSimServer& server, int number);
// Adds only the KQ22 row of dataset n, described as "Dataset<n>".
void RegisterSuiteDataset(const TSimServer& server, int number);

// Puts name/value rows into one of the suite's settings tables (MasterSettings,
// DatabaseSettings, DatasetSettings), each replacing a row of the same name.
void SetSuiteSettings(const TSimServer& server, const std::string& database, const std::string& table,
                      const std::vector<std::pair<std::string, std::string>>& settings);

} // namespace tarnwick::sql::sim
