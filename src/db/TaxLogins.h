#pragma once

namespace tarnwick {

// The suite's three SQL Server logins and their built-in passwords.
// TaxSoft: the application's own work on the suite's databases.
inline constexpr const char* TaxSoftUser = "TaxSoft";
inline constexpr const char* TaxSoftPassword = "Pw4n8Rz";
// TaxAdmin: server-level checks and facts, against master.
inline constexpr const char* TaxAdminUser = "TaxAdmin";
inline constexpr const char* TaxAdminPassword = "r8v3k2p6";
// TaxHard: running the update script, against master.
inline constexpr const char* TaxHardUser = "TaxHard";
inline constexpr const char* TaxHardPassword = "Mb7q2Lx";

} // namespace tarnwick
