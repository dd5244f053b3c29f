#pragma once

#include "platform/sql/Driver.h"
#include "platform/sql/Recordset.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tarnwick::sql {

// Status handed to the notifications, as the client library reports it.
enum class TEventStatus { OK, ErrorsOccurred, CantDeny, Cancel, UnwantedEvent };

enum class TConnectOption { Synchronous, Asynchronous };

struct TPendingConnect;

// A connection to SQL Server made from an OLE DB style connection string. It is closed
// after construction; it opens on Open or on the first execution, which waits for a
// connect still under way. Errors raise EOleException with the driver's description of
// the first error, unchanged. Used on one thread only: the window thread.
class TADOConnection {
public:
    TADOConnection();
    // Closes without notifications: the handlers may belong to objects already gone.
    virtual ~TADOConnection();
    TADOConnection(const TADOConnection&) = delete;
    TADOConnection& operator=(const TADOConnection&) = delete;

    // The component name, which owners use in their messages; empty for one made in code.
    std::string Name;
    int ConnectionTimeout = 15; // seconds, 0 waits without limit
    int CommandTimeout = 30;    // seconds, 0 waits without limit
    // Takes effect when a transaction begins, as with the client library.
    TIsolationLevel IsolationLevel = TIsolationLevel::ReadCommitted;
    TConnectOption ConnectOptions = TConnectOption::Synchronous;

    const std::string& ConnectionString() const { return connectionString_; }
    // Raises when the connection is open: close it first.
    void SetConnectionString(const std::string& text);

    // Synchronous: connects or raises (after the connect-complete notification).
    // Asynchronous: returns at once; the outcome arrives as the connect-complete
    // notification, on the window thread, when it pumps its messages.
    void Open();
    void Close();
    bool Connected() const { return session_ != nullptr; }
    // True while an asynchronous connect has not been delivered yet.
    bool Connecting() const { return pending_ != nullptr; }

    bool InTransaction() const { return inTransaction_; }
    // Returns the nesting level (1); the server allows one transaction at a time.
    int BeginTrans();
    void CommitTrans();
    void RollbackTrans();

    // Runs the text without returning rows: the records affected by its last data-changing
    // statement, -1 when none changed data.
    long long Execute(const std::string& commandText);
    // Runs the text and returns its first result set; a batch without one gives a
    // recordset that was never opened.
    TRecordsetPtr ExecuteRecordset(const std::string& commandText);
    // Runs the text with "?" parameters and a command timeout: the form query objects and
    // derived connections build on. Fires will-execute first.
    TBatchResult ExecuteBatch(std::string commandText, const std::vector<TParameter>& params,
                              int commandTimeout);

    // Notifications. Will-execute may rewrite the command text.
    std::function<void(TADOConnection& sender, std::string& commandText)> OnWillExecute;
    std::function<void(TADOConnection& sender, TEventStatus status, const std::string& error)>
        OnConnectComplete;
    std::function<void(TADOConnection& sender)> OnAfterConnect;
    std::function<void(TADOConnection& sender)> OnBeforeDisconnect;
    std::function<void(TADOConnection& sender, TEventStatus status)> OnDisconnect;
    std::function<void(TADOConnection& sender, int transactionLevel, TEventStatus status,
                       const std::string& error)>
        OnBeginTransComplete;
    std::function<void(TADOConnection& sender, TEventStatus status, const std::string& error)>
        OnCommitTransComplete;

private:
    void OpenSynchronously();
    void OpenAsynchronously();
    void EnsureOpen();
    void WaitForPendingConnect();
    void FinishPendingConnect();
    void AttachSession(std::unique_ptr<ISession> session);
    void ConnectFailed(const std::string& error);
    void DropSession();

    std::string connectionString_;
    std::unique_ptr<ISession> session_;
    std::shared_ptr<TPendingConnect> pending_;
    bool inTransaction_ = false;
};

} // namespace tarnwick::sql
