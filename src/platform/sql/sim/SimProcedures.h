#pragma once

#include "platform/sql/Driver.h"
#include "platform/sql/sim/SimCatalog.h"
#include "platform/sql/sim/SimLogins.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The server procedures and statements a simulated server answers itself, in the shape
// SQL Server gives them: xp_fixeddrives ("drive", "MB free"), sp_configure ("name",
// "minimum", "maximum", "config_value", "run_value"), xp_cmdshell 'dir ...' ("output",
// one row per line and a NULL row last), sp_helpfile ("name", "fileid", "filename",
// "filegroup", "size" as "<n> KB", "maxsize", "growth", "usage" as "data only" or
// "log only"), RESTORE HEADERONLY and BACKUP DATABASE.
namespace tarnwick::sql::sim {

struct TProcedureContext {
    std::filesystem::path Server;
    TSimCatalog& Catalog;
    TSimLogin Login;
    std::string Database; // the database the procedure runs in
};

bool IsServerProcedure(const std::string& name);
// Runs a procedure by its bare name (owner and database taken off); nullopt when it
// returns no rows.
std::optional<TRowSet> CallProcedure(const TProcedureContext& context, const std::string& name,
                                     const std::vector<std::string>& arguments);

// RECONFIGURE.
void Reconfigure(const TProcedureContext& context);

// RESTORE HEADERONLY FROM DISK = path: one row per backup set in the file.
TRowSet RestoreHeaderOnly(const TProcedureContext& context, const std::string& path);
// BACKUP DATABASE name TO DISK = path; without INIT the set is added to the file's sets.
void BackupDatabase(const TProcedureContext& context, const std::string& database, const std::string& path,
                    bool init);

} // namespace tarnwick::sql::sim
