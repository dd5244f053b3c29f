#pragma once

#include "platform/sql/Driver.h"
#include "platform/sql/odbc/OdbcHandles.h"

#include <memory>

namespace tarnwick::sql::odbc {

// One open ODBC connection. Closing rolls back a transaction still open, as the server would
// when the connection drops, then disconnects.
class TOdbcSession : public ISession {
public:
    TOdbcSession(std::shared_ptr<TOdbcEnvironment> environment, TOdbcHandle<SQL_HANDLE_DBC> connection);
    ~TOdbcSession() override;
    TOdbcSession(const TOdbcSession&) = delete;
    TOdbcSession& operator=(const TOdbcSession&) = delete;

    TBatchResult Execute(const std::string& sql, const std::vector<TParameter>& params,
                         int commandTimeout) override;
    void SetIsolationLevel(TIsolationLevel level) override;
    void BeginTransaction() override;
    void Commit() override;
    void Rollback() override;

private:
    void EndTransaction(SQLSMALLINT completion);
    void SetAutoCommit(bool on);

    // Declared first so the environment is released last.
    std::shared_ptr<TOdbcEnvironment> environment_;
    TOdbcHandle<SQL_HANDLE_DBC> connection_;
    bool inTransaction_ = false;
};

} // namespace tarnwick::sql::odbc
