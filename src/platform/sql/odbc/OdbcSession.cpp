#include "platform/sql/odbc/OdbcSession.h"

#include "platform/core/CodePage.h"
#include "platform/core/Exceptions.h"
#include "platform/sql/odbc/OdbcParameters.h"
#include "platform/sql/odbc/OdbcRowSet.h"

#include <algorithm>
#include <cstdint>

namespace tarnwick::sql::odbc {

namespace {

SQLPOINTER IntegerAttribute(std::uintptr_t value) { return reinterpret_cast<SQLPOINTER>(value); }

SQLUINTEGER IsolationOf(TIsolationLevel level)
{
    switch (level) {
    case TIsolationLevel::ReadUncommitted:
        return SQL_TXN_READ_UNCOMMITTED;
    case TIsolationLevel::Serializable:
        return SQL_TXN_SERIALIZABLE;
    default:
        return SQL_TXN_READ_COMMITTED;
    }
}

} // namespace

TOdbcSession::TOdbcSession(std::shared_ptr<TOdbcEnvironment> environment,
                           TOdbcHandle<SQL_HANDLE_DBC> connection)
    : environment_(std::move(environment)), connection_(std::move(connection))
{
}

TOdbcSession::~TOdbcSession()
{
    // A connection with an open transaction refuses to disconnect; failures here have no one
    // to report to, and the handle is freed regardless.
    if (inTransaction_) SQLEndTran(SQL_HANDLE_DBC, connection_.Get(), SQL_ROLLBACK);
    SQLDisconnect(connection_.Get());
}

TBatchResult TOdbcSession::Execute(const std::string& sql, const std::vector<TParameter>& params,
                                   int commandTimeout)
{
    auto statement = AllocateHandle<SQL_HANDLE_STMT>(SQL_HANDLE_DBC, connection_.Get());
    SQLHSTMT handle = statement.Get();
    const auto check = [handle](SQLRETURN result) { CheckOdbc(result, SQL_HANDLE_STMT, handle); };
    check(SQLSetStmtAttr(handle, SQL_ATTR_QUERY_TIMEOUT,
                         IntegerAttribute(static_cast<std::uintptr_t>(std::max(commandTimeout, 0))), 0));
    const TOdbcParameters bound(handle, params);
    std::u16string text = Utf16FromAnsi(sql);
    const SQLRETURN executed = SQLExecDirectW(handle, reinterpret_cast<SQLWCHAR*>(text.data()),
                                              static_cast<SQLINTEGER>(text.size()));
    // No data is the answer of a statement that touched no rows, not a failure.
    if (executed != SQL_NO_DATA) check(executed);

    TBatchResult result;
    for (;;) {
        SQLSMALLINT columns = 0;
        check(SQLNumResultCols(handle, &columns));
        if (columns > 0) {
            if (!result.Rows) result.Rows = ReadRowSet(handle, columns);
        } else {
            SQLLEN count = -1;
            check(SQLRowCount(handle, &count));
            if (count >= 0) result.RowsAffected = count;
        }
        const SQLRETURN more = SQLMoreResults(handle);
        if (more == SQL_NO_DATA) break;
        check(more);
    }
    return result;
}

void TOdbcSession::SetIsolationLevel(TIsolationLevel level)
{
    CheckOdbc(SQLSetConnectAttrW(connection_.Get(), SQL_ATTR_TXN_ISOLATION,
                                 IntegerAttribute(IsolationOf(level)), 0),
              SQL_HANDLE_DBC, connection_.Get());
}

void TOdbcSession::BeginTransaction()
{
    if (inTransaction_) throw EOleException("Only one transaction can be active on this session.");
    SetAutoCommit(false);
    inTransaction_ = true;
}

void TOdbcSession::Commit() { EndTransaction(SQL_COMMIT); }

void TOdbcSession::Rollback() { EndTransaction(SQL_ROLLBACK); }

void TOdbcSession::EndTransaction(SQLSMALLINT completion)
{
    if (!inTransaction_) throw EOleException("No transaction is active.");
    CheckOdbc(SQLEndTran(SQL_HANDLE_DBC, connection_.Get(), completion), SQL_HANDLE_DBC, connection_.Get());
    inTransaction_ = false;
    SetAutoCommit(true);
}

void TOdbcSession::SetAutoCommit(bool on)
{
    const std::uintptr_t value = on ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF;
    CheckOdbc(SQLSetConnectAttrW(connection_.Get(), SQL_ATTR_AUTOCOMMIT, IntegerAttribute(value), 0),
              SQL_HANDLE_DBC, connection_.Get());
}

} // namespace tarnwick::sql::odbc
