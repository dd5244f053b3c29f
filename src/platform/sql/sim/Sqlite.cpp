#include "platform/sql/sim/Sqlite.h"

#include "platform/core/Strings.h"
#include "platform/sql/ValueConversion.h"
#include "platform/sql/sim/SqlFunctions.h"

#include <sqlite3.h>

namespace tarnwick::sql::sim {

TSqliteDb::TSqliteDb(const std::filesystem::path& file, bool create)
{
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_FULLMUTEX;
    if (sqlite3_open_v2(file.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
        const std::string text = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        db_ = nullptr;
        throw ESqliteError(text);
    }
    sqlite3_busy_timeout(db_, 10000);
    sqlite3_extended_result_codes(db_, 0);
    Exec("PRAGMA journal_mode=WAL");
    Exec("PRAGMA synchronous=NORMAL");
    RegisterSqlFunctions(db_);
}

TSqliteDb::~TSqliteDb() { sqlite3_close_v2(db_); }

void TSqliteDb::Exec(const std::string& sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string text = error ? error : sqlite3_errmsg(db_);
        sqlite3_free(error);
        throw ESqliteError(text, sqlite3_errcode(db_));
    }
}

long long TSqliteDb::Changes() const { return sqlite3_changes64(db_); }
long long TSqliteDb::LastInsertId() const { return sqlite3_last_insert_rowid(db_); }
std::string TSqliteDb::ErrorText() const { return sqlite3_errmsg(db_); }

TSqliteStatement::TSqliteStatement(TSqliteDb& db, const std::string& sql) : db_(db)
{
    if (sqlite3_prepare_v2(db.Handle(), sql.c_str(), static_cast<int>(sql.size()), &statement_, nullptr) !=
        SQLITE_OK)
        throw ESqliteError(db.ErrorText(), sqlite3_errcode(db.Handle()));
    if (!statement_) throw ESqliteError("empty statement");
}

TSqliteStatement::~TSqliteStatement() { sqlite3_finalize(statement_); }

int TSqliteStatement::ParameterCount() const { return sqlite3_bind_parameter_count(statement_); }

void TSqliteStatement::BindText(int index, const std::string& text)
{
    sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

void TSqliteStatement::BindInt(int index, long long value) { sqlite3_bind_int64(statement_, index, value); }

void TSqliteStatement::Bind(int index, const TParameter& parameter)
{
    const TValue& value = parameter.Value;
    if (IsNull(value)) {
        sqlite3_bind_null(statement_, index);
        return;
    }
    switch (parameter.Type) {
    case TParamType::Integer:
        BindInt(index, ValueToInt64(value));
        break;
    case TParamType::Boolean:
        BindInt(index, ValueToBoolean(value) ? 1 : 0);
        break;
    case TParamType::Float:
        sqlite3_bind_double(statement_, index, ValueToFloat(value));
        break;
    case TParamType::DateTime:
        BindText(index, IsoDateTimeText(ValueToDateTime(value)));
        break;
    case TParamType::Bytes: {
        const TBytes bytes = ValueToBytes(value);
        sqlite3_bind_blob(statement_, index, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
        break;
    }
    case TParamType::Text:
    case TParamType::LargeText:
        BindText(index, ValueToString(value));
        break;
    }
}

bool TSqliteStatement::Step()
{
    const int result = sqlite3_step(statement_);
    if (result == SQLITE_ROW) return true;
    if (result == SQLITE_DONE) return false;
    throw ESqliteError(db_.ErrorText(), result);
}

int TSqliteStatement::ColumnCount() const { return sqlite3_column_count(statement_); }
bool TSqliteStatement::ReadOnly() const { return sqlite3_stmt_readonly(statement_) != 0; }

std::string TSqliteStatement::ColumnText(int column) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_blob(statement_, column));
    return text ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)))
                : std::string();
}

long long TSqliteStatement::ColumnInt(int column) const { return sqlite3_column_int64(statement_, column); }
bool TSqliteStatement::ColumnIsNull(int column) const
{
    return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

} // namespace tarnwick::sql::sim
