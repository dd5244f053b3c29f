#pragma once

#include "platform/sql/sim/TsqlLexer.h"

#include <string>
#include <vector>

// One T-SQL statement rewritten for SQLite: [names] and "names" quoted the SQLite way,
// db.dbo.table and db..table as schema-qualified names (the session attaches the
// databases), dbo.table as table, the system views of master as the session's temporary
// tables, TOP n as LIMIT n, table hints dropped, N'..' as '..', 0x.. as X'..', INSERT
// without INTO and DELETE without FROM completed, @@IDENTITY, @@ROWCOUNT and @@SERVERNAME
// as functions.
namespace tarnwick::sql::sim {

struct TTranslation {
    std::string Sql;
    // Databases other than the current one named in three-part names, as written.
    std::vector<std::string> Databases;
    bool UsesSystemViews = false;
    // The statement reads with NOLOCK or READUNCOMMITTED: locked rows do not stop it.
    bool DirtyRead = false;
    int Markers = 0;
};

TTranslation Translate(const std::vector<TToken>& tokens, const std::string& currentDatabase);

// The text of a quoted SQLite name.
std::string SqliteName(const std::string& name);

} // namespace tarnwick::sql::sim
