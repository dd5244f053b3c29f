#pragma once

#include <string>

namespace tarnwick {

// The suite's databases on its SQL Server.
inline constexpr const char* MasterDatabase = "master";
inline constexpr const char* TaxMasterDatabase = "TaxMaster";
inline constexpr const char* TaxReadOnlyDatabase = "TaxReadOnly";
inline constexpr const char* TaxSecuritiesDatabase = "TaxSecurities";

// The database of a client dataset: "TaxData" and the number (dataset 7 is TaxData7).
std::string DatasetDatabaseName(int dataNumber);

} // namespace tarnwick
