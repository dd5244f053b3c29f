#include "platform/sql/sim/SimSession.h"

#include "platform/core/DateTime.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Strings.h"
#include "platform/sql/ValueConversion.h"
#include "platform/sql/sim/SimErrors.h"
#include "platform/sql/sim/SimLog.h"
#include "platform/sql/sim/SimProcedures.h"
#include "platform/sql/sim/SimProcessList.h"
#include "platform/sql/sim/SimRoot.h"
#include "platform/sql/sim/SimValues.h"
#include "platform/sql/sim/TsqlTranslator.h"

#include <chrono>
#include <set>
#include <sqlite3.h>
#include <thread>
#include <unistd.h>

namespace tarnwick::sql::sim {

namespace {

void ServerPropertyFunction(sqlite3_context* context, int, sqlite3_value** args)
{
    const auto* name = reinterpret_cast<const char*>(sqlite3_value_text(args[0]));
    const auto* serverName = static_cast<const std::string*>(sqlite3_user_data(context));
    if (name && (SameText(name, "ServerName") || SameText(name, "MachineName"))) {
        std::string value = *serverName;
        if (SameText(name, "MachineName")) value = value.substr(0, value.find('\\'));
        sqlite3_result_text(context, value.c_str(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
        return;
    }
    sqlite3_result_null(context);
}

// SQLite's wording of a failure in SQL Server's.
std::string ServerText(const std::string& sqlite)
{
    auto after = [&sqlite](std::string_view prefix) {
        std::string name = sqlite.substr(prefix.size());
        if (StartsText("main.", name)) name.erase(0, 5);
        return name;
    };
    if (StartsText("no such table: ", sqlite)) return InvalidObjectText(after("no such table: "));
    if (StartsText("no such column: ", sqlite)) return InvalidColumnText(after("no such column: "));
    if (StartsText("near \"", sqlite)) {
        const std::size_t close = sqlite.find('"', 6);
        return SyntaxErrorText(sqlite.substr(6, close == std::string::npos ? std::string::npos : close - 6));
    }
    if (StartsText("UNIQUE constraint failed: ", sqlite)) {
        std::string table = after("UNIQUE constraint failed: ");
        table = table.substr(0, table.find('.'));
        return "Violation of PRIMARY KEY constraint 'PK_" + table +
               "'. Cannot insert duplicate key in object 'dbo." + table + "'.";
    }
    if (StartsText("NOT NULL constraint failed: ", sqlite)) {
        const std::string column = after("NOT NULL constraint failed: ");
        const std::size_t dot = column.find('.');
        return "Cannot insert the value NULL into column '" + column.substr(dot + 1) + "', table '" +
               column.substr(0, dot) + "'; column does not allow nulls. INSERT fails.";
    }
    return sqlite;
}

int CountMarkers(const std::vector<TToken>& tokens, std::size_t from = 0)
{
    int count = 0;
    for (std::size_t i = from; i < tokens.size(); ++i) count += tokens[i].Kind == TTokenKind::Marker;
    return count;
}

TToken WordToken(const std::string& word)
{
    TToken token;
    token.Kind = TTokenKind::Word;
    token.Text = word;
    token.Value = UpperCase(word);
    return token;
}

// A dotted name at tokens[i]: its parts (an empty part for db..name) and the index after.
std::vector<std::string> ReadDottedName(const std::vector<TToken>& tokens, std::size_t& i)
{
    std::vector<std::string> parts;
    while (i < tokens.size()) {
        const TToken& token = tokens[i];
        if (token.Kind == TTokenKind::Word || token.Kind == TTokenKind::Name) {
            parts.push_back(token.Kind == TTokenKind::Name ? token.Value : token.Text);
            ++i;
        } else {
            parts.emplace_back();
        }
        if (i < tokens.size() && tokens[i].Kind == TTokenKind::Symbol && tokens[i].Value == ".") {
            ++i;
            continue;
        }
        break;
    }
    return parts;
}

// Arguments of a procedure call: the values between top-level commas, "@name =" dropped.
std::vector<std::string> ReadArguments(const std::vector<TToken>& tokens, std::size_t i)
{
    std::vector<std::string> arguments;
    std::string current;
    bool any = false;
    for (; i < tokens.size(); ++i) {
        const TToken& token = tokens[i];
        if (token.Kind == TTokenKind::Symbol && token.Value == ",") {
            arguments.push_back(current);
            current.clear();
            any = false;
            continue;
        }
        if (token.Kind == TTokenKind::Variable && i + 1 < tokens.size() && tokens[i + 1].Value == "=") {
            ++i;
            continue;
        }
        current +=
            token.Kind == TTokenKind::String || token.Kind == TTokenKind::Name ? token.Value : token.Text;
        any = true;
    }
    if (any || !arguments.empty()) arguments.push_back(current);
    return arguments;
}

std::string StringAfterDisk(const std::vector<TToken>& tokens, std::size_t from)
{
    for (std::size_t i = from; i + 2 < tokens.size(); ++i)
        if (IsWord(tokens[i], "DISK") && tokens[i + 1].Value == "=") return tokens[i + 2].Value;
    throw EOleException(SyntaxErrorText(tokens.back().Text));
}

bool HasWord(const std::vector<TToken>& tokens, std::string_view word)
{
    for (const auto& token : tokens)
        if (IsWord(token, word)) return true;
    return false;
}

std::string TimeStamp() { return IsoDateTimeText(Now()); }

// SQL Server names a missing object as the statement wrote it ("TaxData3.dbo.KQ01"), where
// SQLite gives "TaxData3.KQ01".
std::string MissingObjectText(const std::string& sqlite, const std::vector<TToken>& tokens)
{
    const std::string prefix = "no such table: ";
    if (!StartsText(prefix, sqlite)) return ServerText(sqlite);
    std::string table = sqlite.substr(prefix.size());
    std::string database;
    if (const std::size_t dot = table.find('.'); dot != std::string::npos) {
        database = table.substr(0, dot);
        table.erase(0, dot + 1);
    }
    for (std::size_t i = 0; i < tokens.size();) {
        const std::size_t start = i;
        const std::vector<std::string> parts = ReadDottedName(tokens, i);
        if (i == start) {
            ++i;
            continue;
        }
        const bool sameDatabase = database.empty() || SameText(database, "main") ||
                                  (parts.size() >= 3 && SameText(parts[0], database));
        if (!SameText(parts.back(), table) || !sameDatabase) continue;
        std::string written = parts.front();
        for (std::size_t p = 1; p < parts.size(); ++p) written += "." + parts[p];
        return InvalidObjectText(written);
    }
    return ServerText(sqlite);
}

bool IsOperand(const TToken& token)
{
    return token.Kind != TTokenKind::Symbol && token.Kind != TTokenKind::Marker;
}

bool IsSingleWordOption(const TToken& token)
{
    for (const char* option :
         {"READ_ONLY", "READ_WRITE", "SINGLE_USER", "MULTI_USER", "RESTRICTED_USER", "ONLINE", "OFFLINE"})
        if (IsWord(token, option)) return true;
    return false;
}

// Where the statements the simulator answers itself end: USE takes one name, ALTER
// DATABASE .. SET a one-word option and WITH NO_WAIT; tokens.size() when the rest is free.
std::size_t OwnLength(const std::vector<TToken>& tokens)
{
    if (IsWord(tokens[0], "USE")) return 2;
    if (!IsWord(tokens[0], "ALTER") || tokens.size() < 5 || !IsWord(tokens[1], "DATABASE") ||
        !IsSingleWordOption(tokens[4]))
        return tokens.size();
    if (tokens.size() == 5 || !IsWord(tokens[5], "WITH")) return 5;
    return tokens.size() > 6 && IsWord(tokens[6], "ROLLBACK") ? tokens.size() : 7;
}

// SQL Server compiles a whole batch before it runs any of it, so a word the grammar does
// not expect (a "GO" line sent to the server) fails the batch with nothing done.
void CheckSyntax(const TStatement& statement, bool first)
{
    const std::vector<TToken>& tokens = statement.Tokens;
    const TToken& head = tokens.front();
    if (!first && head.Kind == TTokenKind::Word && !IsStatementKeyword(head))
        throw EOleException(SyntaxErrorText(head.Text));
    if (tokens.size() > OwnLength(tokens))
        throw EOleException(SyntaxErrorText(tokens[OwnLength(tokens)].Text));
    if (!IsWord(head, "PRINT")) return;
    int depth = 0;
    for (std::size_t i = 2; i < tokens.size(); ++i) {
        const TToken& previous = tokens[i - 1];
        if (depth == 0 && IsOperand(tokens[i]) &&
            (IsOperand(previous) || (previous.Kind == TTokenKind::Symbol && previous.Value == ")")))
            throw EOleException(SyntaxErrorText(tokens[i].Text));
        if (tokens[i].Kind == TTokenKind::Symbol && tokens[i].Value == "(") ++depth;
        if (tokens[i].Kind == TTokenKind::Symbol && tokens[i].Value == ")") --depth;
    }
}

} // namespace

struct TSimSession::TBatchState {
    const std::vector<TParameter>& Params;
    std::size_t NextParam = 0;
    int CommandTimeout = 0;
    TBatchOutcome Outcome;
};

TSimSession::TSimSession(const std::filesystem::path& server, const TSimLogin& login,
                         const TConnectParams& params, const TSimDatabase& database)
    : server_(server), login_(login), application_(params.ApplicationName), catalog_(server)
{
    serverName_ = ReadSettings(server).ServerName;
    if (serverName_.empty()) serverName_ = UpperCase(Trim(params.Server));
    OpenDatabase(database);
    sessionId_ = RegisterSession({0, server.string(), login.Name, LocalComputerName(), params.ApplicationName,
                                  database.Name, TimeStamp()});
}

TSimSession::~TSimSession()
{
    UnregisterSession(sessionId_);
    if (inTransaction_) {
        try {
            db_->Exec("ROLLBACK");
        } catch (const ESqliteError&) {
            // Closing the database ends the transaction anyway.
        }
    }
}

void TSimSession::Log(const std::string& kind, const std::string& text) const
{
    AppendLog(server_, {TimeStamp(), static_cast<int>(getpid()), sessionId_, kind, login_.Name,
                        database_.Name, application_, text});
}

void TSimSession::OpenDatabase(const TSimDatabase& database)
{
    auto db = std::make_unique<TSqliteDb>(catalog_.FileOf(database), false);
    sqlite3_create_function(db->Handle(), "SERVERPROPERTY", 1, SQLITE_UTF8, &serverName_,
                            ServerPropertyFunction, nullptr, nullptr);
    db_ = std::move(db);
    database_ = database;
    attached_.clear();
}

void TSimSession::Use(const std::string& name)
{
    const auto database = catalog_.Find(name);
    if (!database) throw EOleException(DatabaseMissingText(name));
    if (SameText(database->Name, database_.Name)) return;
    if (inTransaction_) throw EOleException("The simulator cannot change the database inside a transaction.");
    OpenDatabase(*database);
    SetSessionDatabase(sessionId_, database_.Name);
}

void TSimSession::Attach(const std::string& name)
{
    if (IndexOfText(attached_, name) >= 0) return;
    const auto database = catalog_.Find(name);
    if (!database) throw EOleException(DatabaseMissingText(name));
    if (inTransaction_)
        throw EOleException("The simulator cannot reach database '" + name +
                            "' for the first time inside a "
                            "transaction.");
    if (attached_.size() >= 8) {
        for (const auto& old : attached_) db_->Exec("DETACH DATABASE " + SqliteName(old));
        attached_.clear();
    }
    TSqliteStatement attach(*db_, "ATTACH DATABASE ? AS " + SqliteName(name));
    attach.BindText(1, catalog_.FileOf(*database).string());
    attach.Step();
    attached_.push_back(name);
}

void TSimSession::RefreshSystemViews()
{
    db_->Exec(
        "CREATE TEMP TABLE IF NOT EXISTS sysdatabases (name VARCHAR(128) COLLATE NOCASE, dbid SMALLINT, "
        "mode SMALLINT, status INT, crdate DATETIME COLLATE SIMDATE, cmptlevel TINYINT, "
        "filename NVARCHAR(260) COLLATE NOCASE, version SMALLINT)");
    db_->Exec("CREATE TEMP TABLE IF NOT EXISTS sysprocesses (spid SMALLINT, kpid SMALLINT, blocked SMALLINT, "
              "dbid SMALLINT, login_time DATETIME COLLATE SIMDATE, status NCHAR(30) COLLATE RTRIM, "
              "hostname NCHAR(128) COLLATE RTRIM, program_name NCHAR(128) COLLATE RTRIM, "
              "cmd NCHAR(16) COLLATE RTRIM, loginame NCHAR(128) COLLATE RTRIM)");
    db_->Exec("DELETE FROM temp.sysdatabases");
    db_->Exec("DELETE FROM temp.sysprocesses");
    const std::string folder = ReadSettings(server_).DataFolder;
    const std::vector<TSimDatabase> databases = catalog_.Databases();
    for (const auto& database : databases) {
        TSqliteStatement insert(*db_, "INSERT INTO temp.sysdatabases VALUES (?, ?, 0, ?, ?, 100, ?, 661)");
        insert.BindText(1, database.Name);
        insert.BindInt(2, database.Id);
        insert.BindInt(3, database.ReadOnly ? 1024 : 0);
        insert.BindText(4, database.Created);
        insert.BindText(5, folder + (database.Id == 1 ? std::string("master") : database.Name) + ".mdf");
        insert.Step();
    }
    auto dbid = [&databases](const std::string& name) {
        for (const auto& database : databases)
            if (SameText(database.Name, name)) return database.Id;
        return 0;
    };
    auto pad = [](std::string text, std::size_t width) {
        if (text.size() < width) text.append(width - text.size(), ' ');
        return text;
    };
    auto add = [&](int spid, int databaseId, const std::string& login, const std::string& host,
                   const std::string& program, const std::string& time) {
        TSqliteStatement insert(*db_, "INSERT INTO temp.sysprocesses VALUES (?, 0, 0, ?, ?, ?, ?, ?, ?, ?)");
        insert.BindInt(1, spid);
        insert.BindInt(2, databaseId);
        insert.BindText(3, time);
        insert.BindText(4, pad("sleeping", 30));
        insert.BindText(5, pad(host, 128));
        insert.BindText(6, pad(program, 128));
        insert.BindText(7, pad("AWAITING COMMAND", 16));
        insert.BindText(8, pad(login, 128));
        insert.Step();
    };
    for (const auto& process : SessionsOf(server_))
        add(process.SessionId, dbid(process.Database), process.Login, process.HostName, process.ProgramName,
            process.LoginTime);
    int spid = 1000;
    for (const auto& connection : ReadDirectConnections(server_))
        add(spid++, dbid(connection.Database), connection.LoginName, connection.HostName,
            connection.ProgramName, TimeStamp());
}

void TSimSession::CheckInjectedFailure(const std::string& sql) const
{
    std::vector<TStatementFailure> failures = ReadFailures(server_);
    for (std::size_t i = 0; i < failures.size(); ++i) {
        if (!ContainsText(sql, failures[i].Pattern)) continue;
        const std::string message = failures[i].Message;
        if (failures[i].Times > 0) {
            if (--failures[i].Times == 0) failures.erase(failures.begin() + static_cast<std::ptrdiff_t>(i));
            WriteFailures(server_, failures);
        }
        throw EOleException(message);
    }
}

TBatchResult TSimSession::Execute(const std::string& sql, const std::vector<TParameter>& params,
                                  int commandTimeout)
{
    TBatchOutcome outcome = ExecuteAll(sql, params, commandTimeout);
    TBatchResult result;
    result.RowsAffected = outcome.RowsAffected;
    if (!outcome.Sets.empty()) result.Rows = std::move(outcome.Sets.front());
    return result;
}

TBatchOutcome TSimSession::ExecuteAll(const std::string& sql, const std::vector<TParameter>& params,
                                      int commandTimeout)
{
    Log("execute", sql);
    if (ReadSettings(server_).State == TServerState::Stopped) throw EOleException(NetworkErrorText());
    CheckInjectedFailure(sql);
    TBatchState state{params, 0, commandTimeout, {}};
    const std::vector<TStatement> statements = SplitStatements(sql, Tokenize(sql));
    for (std::size_t i = 0; i < statements.size(); ++i) CheckSyntax(statements[i], i == 0);
    for (std::size_t i = 0; i < statements.size(); ++i) RunStatement(statements[i], state, i == 0);
    return std::move(state.Outcome);
}

void TSimSession::RunStatement(const TStatement& statement, TBatchState& state, bool first)
{
    const std::vector<TToken>& tokens = statement.Tokens;
    const TToken& head = tokens.front();
    const int markers = CountMarkers(tokens);
    if (state.NextParam + static_cast<std::size_t>(markers) > state.Params.size())
        throw EOleException("No value given for one or more required parameters.");
    std::vector<TParameter> params(state.Params.begin() + static_cast<std::ptrdiff_t>(state.NextParam),
                                   state.Params.begin() +
                                       static_cast<std::ptrdiff_t>(state.NextParam + markers));
    state.NextParam += static_cast<std::size_t>(markers);
    const TProcedureContext context{server_, catalog_, login_, database_.Name};

    if (IsWord(head, "PRINT")) return;
    if (IsWord(head, "USE")) {
        if (tokens.size() < 2) throw EOleException(SyntaxErrorText(head.Text));
        return Use(tokens[1].Kind == TTokenKind::Name ? tokens[1].Value : tokens[1].Text);
    }
    if (IsWord(head, "SET")) return SetOption(tokens);
    if (IsWord(head, "ALTER") && tokens.size() > 1 && IsWord(tokens[1], "DATABASE"))
        return AlterDatabase(tokens);
    if (IsWord(head, "RECONFIGURE")) return Reconfigure(context);
    if (IsWord(head, "BEGIN")) {
        if (tokens.size() > 1 && (IsWord(tokens[1], "TRAN") || IsWord(tokens[1], "TRANSACTION")))
            return Begin();
        throw EOleException(SyntaxErrorText(head.Text));
    }
    if (IsWord(head, "COMMIT")) return EndTransaction("COMMIT", "commit");
    if (IsWord(head, "ROLLBACK")) return EndTransaction("ROLLBACK", "rollback");
    if (IsWord(head, "RESTORE")) {
        if (tokens.size() < 2 || !IsWord(tokens[1], "HEADERONLY"))
            throw EOleException("The simulator answers RESTORE HEADERONLY only.");
        state.Outcome.Sets.push_back(RestoreHeaderOnly(context, StringAfterDisk(tokens, 2)));
        return;
    }
    if (IsWord(head, "BACKUP")) {
        if (tokens.size() < 3 || !IsWord(tokens[1], "DATABASE"))
            throw EOleException(SyntaxErrorText(head.Text));
        const std::string name = tokens[2].Kind == TTokenKind::Name ? tokens[2].Value : tokens[2].Text;
        return BackupDatabase(context, name, StringAfterDisk(tokens, 3), HasWord(tokens, "INIT"));
    }
    if (IsWord(head, "CREATE") && tokens.size() > 2 && IsWord(tokens[1], "DATABASE")) {
        if (!login_.Sysadmin) throw EOleException("CREATE DATABASE permission denied in database 'master'.");
        catalog_.Create(tokens[2].Kind == TTokenKind::Name ? tokens[2].Value : tokens[2].Text);
        return;
    }
    const bool exec = IsWord(head, "EXEC") || IsWord(head, "EXECUTE");
    if (exec || (first && head.Kind == TTokenKind::Word && !IsWord(head, "SELECT") &&
                 !IsWord(head, "INSERT") && !IsWord(head, "UPDATE") && !IsWord(head, "DELETE") &&
                 !IsWord(head, "CREATE") && !IsWord(head, "DROP") && !IsWord(head, "ALTER"))) {
        std::size_t i = exec ? 1 : 0;
        const std::vector<std::string> parts = ReadDottedName(tokens, i);
        const std::string name = parts.empty() ? std::string() : parts.back();
        if (!IsServerProcedure(name)) {
            if (exec) throw EOleException(NoProcedureText(name));
            throw EOleException(SyntaxErrorText(head.Text));
        }
        const std::string database = parts.size() >= 3 && !parts[0].empty() ? parts[0] : database_.Name;
        const TProcedureContext callContext{server_, catalog_, login_, database};
        if (auto rows = CallProcedure(callContext, name, ReadArguments(tokens, i)))
            state.Outcome.Sets.push_back(std::move(*rows));
        return;
    }
    if (!IsWord(head, "SELECT") && !IsWord(head, "INSERT") && !IsWord(head, "UPDATE") &&
        !IsWord(head, "DELETE") && !IsWord(head, "CREATE") && !IsWord(head, "DROP") && !IsWord(head, "ALTER"))
        throw EOleException(SyntaxErrorText(head.Text));
    RunSqlite(statement, state, std::move(params));
}

void TSimSession::SetOption(const std::vector<TToken>& tokens)
{
    if (tokens.size() < 5 || !IsWord(tokens[1], "TRANSACTION") || !IsWord(tokens[2], "ISOLATION") ||
        !IsWord(tokens[3], "LEVEL"))
        return;
    if (IsWord(tokens[4], "READ") && tokens.size() > 5 && IsWord(tokens[5], "UNCOMMITTED"))
        isolation_ = TIsolationLevel::ReadUncommitted;
    else if (IsWord(tokens[4], "SERIALIZABLE"))
        isolation_ = TIsolationLevel::Serializable;
    else
        isolation_ = TIsolationLevel::ReadCommitted;
}

void TSimSession::AlterDatabase(const std::vector<TToken>& tokens)
{
    if (tokens.size() < 5 || !IsWord(tokens[3], "SET"))
        throw EOleException(SyntaxErrorText(tokens.back().Text));
    const std::string name = tokens[2].Kind == TTokenKind::Name ? tokens[2].Value : tokens[2].Text;
    if (!login_.Sysadmin)
        throw EOleException("User does not have permission to alter database '" + name +
                            "', the database does not exist, or the database is not in a state that allows "
                            "access checks.");
    const auto database = catalog_.Find(name);
    if (!database) throw EOleException(DatabaseMissingText(name));
    if (IsWord(tokens[4], "READ_ONLY"))
        catalog_.SetReadOnly(database->Name, true);
    else if (IsWord(tokens[4], "READ_WRITE"))
        catalog_.SetReadOnly(database->Name, false);
    if (SameText(database->Name, database_.Name)) database_.ReadOnly = catalog_.Find(name)->ReadOnly;
}

void TSimSession::CheckWritable(const std::string& database)
{
    const auto found = catalog_.Find(database);
    if (found && found->ReadOnly) throw EOleException(ReadOnlyDatabaseText(found->Name));
}

void TSimSession::RunSqlite(const TStatement& statement, TBatchState& state, std::vector<TParameter> params)
{
    const std::vector<TToken>& tokens = statement.Tokens;
    const TTranslation translation = Translate(tokens, database_.Name);
    for (const auto& database : translation.Databases) Attach(database);
    if (translation.UsesSystemViews) RefreshSystemViews();
    const bool changesData =
        IsWord(tokens[0], "INSERT") || IsWord(tokens[0], "UPDATE") || IsWord(tokens[0], "DELETE");
    const bool writes =
        changesData || IsWord(tokens[0], "CREATE") || IsWord(tokens[0], "DROP") || IsWord(tokens[0], "ALTER");
    std::size_t at = IsWord(tokens[0], "SELECT") ? tokens.size() : 1;
    if (at < tokens.size() &&
        (IsWord(tokens[at], "INTO") || IsWord(tokens[at], "FROM") || IsWord(tokens[at], "TABLE")))
        ++at;
    const std::vector<std::string> target =
        at < tokens.size() ? ReadDottedName(tokens, at) : std::vector<std::string>{};
    const std::string targetDatabase = target.size() >= 3 && !target[0].empty() ? target[0] : database_.Name;
    if (writes) CheckWritable(targetDatabase);
    CheckRowLocks(statement, targetDatabase, params, translation.DirtyRead, state.CommandTimeout);

    try {
        TSqliteStatement prepared(*db_, translation.Sql);
        for (std::size_t i = 0; i < params.size(); ++i) prepared.Bind(static_cast<int>(i) + 1, params[i]);
        sqlite3_stmt* handle = prepared.Handle();
        const int columns = prepared.ColumnCount();
        TRowSet rows;
        std::vector<TDataType> types;
        for (int c = 0; c < columns; ++c) {
            TColumnInfo info;
            info.Name = sqlite3_column_name(handle, c);
            info.Type = TypeOfDeclared(sqlite3_column_decltype(handle, c));
            const char* table = sqlite3_column_table_name(handle, c);
            const char* schema = sqlite3_column_database_name(handle, c);
            const char* origin = sqlite3_column_origin_name(handle, c);
            if (table && schema && origin && std::string(schema) != "temp") {
                info.BaseTable =
                    std::string(schema) == "main" ? table : std::string(schema) + ".dbo." + table;
                int primaryKey = 0;
                int autoIncrement = 0;
                sqlite3_table_column_metadata(db_->Handle(), schema, table, origin, nullptr, nullptr, nullptr,
                                              &primaryKey, &autoIncrement);
                info.IsKey = primaryKey != 0;
                info.IsIdentity = autoIncrement != 0;
            }
            rows.Columns.push_back(info);
        }
        while (prepared.Step()) {
            std::vector<TValue> row;
            for (int c = 0; c < columns; ++c) row.push_back(ReadColumn(handle, c, rows.Columns[c].Type));
            rows.Rows.push_back(std::move(row));
        }
        for (std::size_t c = 0; c < rows.Columns.size(); ++c) {
            if (rows.Columns[c].Type != TDataType::Unknown) continue;
            for (const auto& row : rows.Rows) {
                const TValue& value = row[c];
                if (IsNull(value)) continue;
                rows.Columns[c].Type = value.index() == 1   ? TDataType::Integer
                                       : value.index() == 2 ? TDataType::Float
                                       : value.index() == 6 ? TDataType::Bytes
                                                            : TDataType::Text;
                break;
            }
        }
        if (columns > 0)
            state.Outcome.Sets.push_back(std::move(rows));
        else if (changesData)
            state.Outcome.RowsAffected = db_->Changes();
    } catch (const ESqliteError& error) {
        throw EOleException(MissingObjectText(error.what(), tokens));
    }
}

bool TSimSession::LockConflict(const TStatement& statement, const std::string& targetDatabase,
                               const std::vector<TParameter>& params, bool dirtyRead)
{
    std::vector<TRowLock> locks = ReadRowLocks(server_);
    std::erase_if(locks, [&](const TRowLock& lock) { return !SameText(lock.Database, targetDatabase); });
    if (locks.empty()) return false;
    const std::vector<TToken>& tokens = statement.Tokens;
    if (IsWord(tokens[0], "SELECT")) {
        if (dirtyRead || isolation_ == TIsolationLevel::ReadUncommitted) return false;
        for (const auto& lock : locks)
            for (const auto& token : tokens)
                if ((token.Kind == TTokenKind::Word || token.Kind == TTokenKind::Name) &&
                    SameText(token.Kind == TTokenKind::Name ? token.Value : token.Text, lock.Table))
                    return true;
        return false;
    }
    if (!IsWord(tokens[0], "UPDATE") && !IsWord(tokens[0], "DELETE")) return false;
    std::size_t at = 1;
    if (at < tokens.size() && IsWord(tokens[at], "FROM")) ++at;
    const std::size_t tableStart = at;
    const std::vector<std::string> table = ReadDottedName(tokens, at);
    if (table.empty()) return false;
    std::erase_if(locks, [&](const TRowLock& lock) { return !SameText(lock.Table, table.back()); });
    if (locks.empty()) return false;

    std::size_t where = tokens.size();
    int depth = 0;
    for (std::size_t i = at; i < tokens.size(); ++i) {
        if (tokens[i].Value == "(") ++depth;
        if (tokens[i].Value == ")") --depth;
        if (depth == 0 && IsWord(tokens[i], "WHERE")) {
            where = i;
            break;
        }
    }
    std::vector<TToken> probe = {WordToken("SELECT"), WordToken("rowid"), WordToken("FROM")};
    probe.insert(probe.end(), tokens.begin() + static_cast<std::ptrdiff_t>(tableStart),
                 tokens.begin() + static_cast<std::ptrdiff_t>(at));
    probe.insert(probe.end(), tokens.begin() + static_cast<std::ptrdiff_t>(where), tokens.end());
    const std::size_t whereMarkers = static_cast<std::size_t>(CountMarkers(tokens, where));
    std::set<long long> affected;
    {
        TSqliteStatement select(*db_, Translate(probe, database_.Name).Sql);
        for (std::size_t i = 0; i < whereMarkers; ++i)
            select.Bind(static_cast<int>(i) + 1, params[params.size() - whereMarkers + i]);
        while (select.Step()) affected.insert(select.ColumnInt(0));
    }
    const std::string tableName =
        Translate(std::vector<TToken>(tokens.begin() + static_cast<std::ptrdiff_t>(tableStart),
                                      tokens.begin() + static_cast<std::ptrdiff_t>(at)),
                  database_.Name)
            .Sql;
    for (const auto& lock : locks) {
        std::string condition;
        for (const auto& key : lock.Keys)
            condition += (condition.empty() ? "" : " AND ") + SqliteName(key.first) + " = ?";
        TSqliteStatement select(*db_, "SELECT rowid FROM " + tableName +
                                          (condition.empty() ? "" : " WHERE " + condition));
        int index = 1;
        for (const auto& key : lock.Keys) select.BindText(index++, key.second);
        while (select.Step())
            if (affected.count(select.ColumnInt(0))) return true;
    }
    return false;
}

void TSimSession::CheckRowLocks(const TStatement& statement, const std::string& targetDatabase,
                                const std::vector<TParameter>& params, bool dirtyRead, int commandTimeout)
{
    try {
        if (!LockConflict(statement, targetDatabase, params, dirtyRead)) return;
        if (ReadSettings(server_).RealLockWaits) {
            const auto start = std::chrono::steady_clock::now();
            while (commandTimeout == 0 ||
                   std::chrono::steady_clock::now() - start < std::chrono::seconds(commandTimeout)) {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
                if (!LockConflict(statement, targetDatabase, params, dirtyRead)) return;
            }
        }
    } catch (const ESqliteError& error) {
        throw EOleException(ServerText(error.what()));
    }
    throw EOleException(QueryTimeoutText());
}

void TSimSession::Begin()
{
    if (inTransaction_) throw EOleException("Only one transaction can be active on this session.");
    db_->Exec("BEGIN");
    inTransaction_ = true;
}

void TSimSession::EndTransaction(const char* statement, const char* kind)
{
    if (!inTransaction_) {
        if (std::string(kind) == "commit")
            throw EOleException("The COMMIT TRANSACTION request has no corresponding BEGIN TRANSACTION.");
        throw EOleException("The ROLLBACK TRANSACTION request has no corresponding BEGIN TRANSACTION.");
    }
    inTransaction_ = false;
    db_->Exec(statement);
}

void TSimSession::BeginTransaction()
{
    Log("begin", {});
    Begin();
}

void TSimSession::Commit()
{
    Log("commit", {});
    EndTransaction("COMMIT", "commit");
}

void TSimSession::Rollback()
{
    Log("rollback", {});
    EndTransaction("ROLLBACK", "rollback");
}

} // namespace tarnwick::sql::sim
