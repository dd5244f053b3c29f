#pragma once

#include "platform/core/DateTime.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

// The boundary between the client layer (connections, recordsets, queries) and the drivers
// that reach a server: the production ODBC driver and the simulator. A driver knows nothing
// of events, annotations or query objects; the client layer builds those on top.
namespace tarnwick::sql {

using TBytes = std::vector<std::uint8_t>;

// A date-time value; wrapped so it is not confused with a plain floating-point number.
struct TSqlDateTime {
    TDateTime Value = 0;
    bool operator==(const TSqlDateTime&) const = default;
};

// One value crossing the boundary. Text is Windows-1252; monostate is NULL.
using TValue = std::variant<std::monostate, long long, double, bool, TSqlDateTime, std::string, TBytes>;

enum class TDataType { Unknown, Boolean, Integer, Float, DateTime, Text, LargeText, Bytes };

struct TColumnInfo {
    std::string Name;
    TDataType Type = TDataType::Unknown;
    // The base table and whether the column is part of its key, when the driver knows them;
    // query objects use them to turn edits into statements.
    std::string BaseTable;
    bool IsKey = false;
    // The server assigns the column's value on insert (an identity column).
    bool IsIdentity = false;
};

struct TRowSet {
    std::vector<TColumnInfo> Columns;
    std::vector<std::vector<TValue>> Rows;
};

// A parameter bound to the n-th "?" marker of a statement, in order. The last three carry
// the values query objects write back when they post an edited row.
enum class TParamType { Text, Integer, LargeText, Bytes, Boolean, Float, DateTime };
struct TParameter {
    TParamType Type = TParamType::Text;
    TValue Value;
};

struct TBatchResult {
    // Rows affected by the last data-changing statement of the batch, -1 when none changed data.
    long long RowsAffected = -1;
    // The first result set the batch produced, if any.
    std::optional<TRowSet> Rows;
};

enum class TIsolationLevel { ReadCommitted, ReadUncommitted, Serializable };

struct TConnectParams {
    std::string Server;          // "Data Source": machine, optionally followed by "\instance"
    std::string Database;        // "Initial Catalog"
    std::string UserId;          // "User ID"
    std::string Password;        // "Password"
    std::string ApplicationName; // "Application Name"
    int ConnectionTimeout = 15;  // seconds; 0 waits without limit
};

// One open connection to a server. Every failure raises EOleException whose message is the
// description of the first error, as the server or driver worded it; informational messages
// (PRINT output, row counts) are never surfaced.
class ISession {
public:
    virtual ~ISession() = default;
    // commandTimeout in seconds; 0 waits without limit.
    virtual TBatchResult Execute(const std::string& sql, const std::vector<TParameter>& params,
                                 int commandTimeout) = 0;
    virtual void SetIsolationLevel(TIsolationLevel level) = 0;
    virtual void BeginTransaction() = 0;
    virtual void Commit() = 0;
    virtual void Rollback() = 0;
};

class IDriver {
public:
    virtual ~IDriver() = default;
    // Blocks until connected or failed; may be called from a worker thread (asynchronous open).
    virtual std::unique_ptr<ISession> Connect(const TConnectParams& params) = 0;
};

// The driver every connection uses, shared so that work may outlive a later SetDriver (a
// pending connect); set once at start-up (tests and the demo put the simulator here).
std::shared_ptr<IDriver> SharedDriver();
// Puts a driver in place (nullptr: none, every connect fails) and returns the previous one.
std::shared_ptr<IDriver> SetDriver(std::shared_ptr<IDriver> driver);

} // namespace tarnwick::sql
