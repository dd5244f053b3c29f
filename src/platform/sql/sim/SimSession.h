#pragma once

#include "platform/sql/Driver.h"
#include "platform/sql/sim/SimCatalog.h"
#include "platform/sql/sim/SimControls.h"
#include "platform/sql/sim/SimLogins.h"
#include "platform/sql/sim/Sqlite.h"
#include "platform/sql/sim/TsqlLexer.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace tarnwick::sql::sim {

// Every result set of a batch, for the shell; the driver boundary hands on the first.
struct TBatchOutcome {
    std::vector<TRowSet> Sets;
    long long RowsAffected = -1;
};

// One connection to a simulated server: the current database opened as SQLite's main
// database, others attached when a statement names them. Statements run one by one; the
// first error ends the batch (statements before it keep their effect), except a stray word
// after a USE, PRINT or ALTER DATABASE, or a statement that starts with none, which fails
// the batch before anything runs.
class TSimSession : public ISession {
public:
    TSimSession(const std::filesystem::path& server, const TSimLogin& login, const TConnectParams& params,
                const TSimDatabase& database);
    ~TSimSession() override;

    TBatchResult Execute(const std::string& sql, const std::vector<TParameter>& params,
                         int commandTimeout) override;
    TBatchOutcome ExecuteAll(const std::string& sql, const std::vector<TParameter>& params,
                             int commandTimeout);
    void SetIsolationLevel(TIsolationLevel level) override { isolation_ = level; }
    void BeginTransaction() override;
    void Commit() override;
    void Rollback() override;

    const std::string& Database() const { return database_.Name; }
    int SessionId() const { return sessionId_; }

private:
    struct TBatchState;
    void Log(const std::string& kind, const std::string& text) const;
    void CheckInjectedFailure(const std::string& sql) const;
    void RunStatement(const TStatement& statement, TBatchState& state, bool first);
    void RunSqlite(const TStatement& statement, TBatchState& state, std::vector<TParameter> params);
    void Use(const std::string& name);
    void OpenDatabase(const TSimDatabase& database);
    void Attach(const std::string& name);
    void RefreshSystemViews();
    void SetOption(const std::vector<TToken>& tokens);
    void AlterDatabase(const std::vector<TToken>& tokens);
    void CheckWritable(const std::string& database);
    void CheckRowLocks(const TStatement& statement, const std::string& targetDatabase,
                       const std::vector<TParameter>& params, bool dirtyRead, int commandTimeout);
    bool LockConflict(const TStatement& statement, const std::string& targetDatabase,
                      const std::vector<TParameter>& params, bool dirtyRead);
    void Begin();
    void EndTransaction(const char* statement, const char* kind);

    std::filesystem::path server_;
    TSimLogin login_;
    std::string application_;
    std::string serverName_;
    TSimCatalog catalog_;
    TSimDatabase database_;
    std::unique_ptr<TSqliteDb> db_;
    TStringList attached_;
    TIsolationLevel isolation_ = TIsolationLevel::ReadCommitted;
    bool inTransaction_ = false;
    int sessionId_ = 0;
};

} // namespace tarnwick::sql::sim
