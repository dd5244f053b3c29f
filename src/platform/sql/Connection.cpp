#include "platform/sql/Connection.h"

#include "platform/core/Exceptions.h"
#include "platform/core/MainThreadQueue.h"
#include "platform/sql/ConnectionString.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace tarnwick::sql {

// A connect running on a worker thread. The worker fills in the outcome; the window
// thread takes it, either when the posted completion runs under the message pump or when
// an execution has to wait for it. A connection that goes away first only forgets it.
struct TPendingConnect {
    std::mutex Mutex;
    std::condition_variable Done;
    bool Finished = false;
    std::unique_ptr<ISession> Session;
    std::string Error;
    // Touched on the window thread only.
    TADOConnection* Owner = nullptr;
};

namespace {

std::string MessageOfCurrent()
{
    try {
        throw;
    } catch (const Exception& error) {
        return error.Message();
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
        return "Unknown error";
    }
}

} // namespace

TADOConnection::TADOConnection() = default;

TADOConnection::~TADOConnection()
{
    if (pending_) pending_->Owner = nullptr;
    DropSession();
}

void TADOConnection::SetConnectionString(const std::string& text)
{
    if (Connected() || Connecting()) throw EOleException("Operation is not allowed when the object is open.");
    connectionString_ = text;
}

void TADOConnection::Open()
{
    if (Connected() || Connecting()) return;
    if (ConnectOptions == TConnectOption::Asynchronous)
        OpenAsynchronously();
    else
        OpenSynchronously();
}

void TADOConnection::OpenSynchronously()
{
    const TConnectParams params = TConnectionString(connectionString_).ConnectParams(ConnectionTimeout);
    std::unique_ptr<ISession> session;
    std::string error;
    try {
        session = SharedDriver()->Connect(params);
    } catch (...) {
        error = MessageOfCurrent();
    }
    if (!session) {
        ConnectFailed(error);
        throw EOleException(error);
    }
    AttachSession(std::move(session));
}

void TADOConnection::OpenAsynchronously()
{
    auto pending = std::make_shared<TPendingConnect>();
    pending->Owner = this;
    pending_ = pending;
    const TConnectParams params = TConnectionString(connectionString_).ConnectParams(ConnectionTimeout);
    std::thread([pending, driver = SharedDriver(), params] {
        std::unique_ptr<ISession> session;
        std::string error;
        try {
            session = driver->Connect(params);
        } catch (...) {
            error = MessageOfCurrent();
        }
        {
            const std::lock_guard lock(pending->Mutex);
            pending->Session = std::move(session);
            pending->Error = std::move(error);
            pending->Finished = true;
        }
        pending->Done.notify_all();
        PostToMainThread([pending] {
            if (pending->Owner) pending->Owner->FinishPendingConnect();
        });
    }).detach();
}

void TADOConnection::WaitForPendingConnect()
{
    {
        std::unique_lock lock(pending_->Mutex);
        pending_->Done.wait(lock, [this] { return pending_->Finished; });
    }
    const std::string error = pending_->Session ? std::string() : pending_->Error;
    FinishPendingConnect();
    if (!Connected()) throw EOleException(error);
}

void TADOConnection::FinishPendingConnect()
{
    const std::shared_ptr<TPendingConnect> pending = std::move(pending_);
    pending->Owner = nullptr;
    std::unique_ptr<ISession> session;
    std::string error;
    {
        const std::lock_guard lock(pending->Mutex);
        session = std::move(pending->Session);
        error = pending->Error;
    }
    if (session)
        AttachSession(std::move(session));
    else
        ConnectFailed(error);
}

void TADOConnection::AttachSession(std::unique_ptr<ISession> session)
{
    session_ = std::move(session);
    inTransaction_ = false;
    if (OnConnectComplete) OnConnectComplete(*this, TEventStatus::OK, {});
    if (OnAfterConnect) OnAfterConnect(*this);
}

void TADOConnection::ConnectFailed(const std::string& error)
{
    if (OnConnectComplete) OnConnectComplete(*this, TEventStatus::ErrorsOccurred, error);
}

void TADOConnection::EnsureOpen()
{
    if (Connecting()) WaitForPendingConnect();
    if (!Connected()) OpenSynchronously();
}

void TADOConnection::Close()
{
    if (pending_) {
        pending_->Owner = nullptr;
        pending_.reset();
    }
    if (!Connected()) return;
    if (OnBeforeDisconnect) OnBeforeDisconnect(*this);
    DropSession();
    if (OnDisconnect) OnDisconnect(*this, TEventStatus::OK);
}

void TADOConnection::DropSession()
{
    if (session_ && inTransaction_) {
        try {
            session_->Rollback();
        } catch (const std::exception&) {
            // The session is going away; the server rolls back what it cannot finish.
        }
    }
    inTransaction_ = false;
    session_.reset();
}

int TADOConnection::BeginTrans()
{
    EnsureOpen();
    if (inTransaction_) {
        const std::string error = "Only one transaction can be active on this session.";
        if (OnBeginTransComplete) OnBeginTransComplete(*this, 1, TEventStatus::ErrorsOccurred, error);
        throw EOleException(error);
    }
    try {
        session_->SetIsolationLevel(IsolationLevel);
        session_->BeginTransaction();
    } catch (...) {
        const std::string error = MessageOfCurrent();
        if (OnBeginTransComplete) OnBeginTransComplete(*this, 1, TEventStatus::ErrorsOccurred, error);
        throw;
    }
    inTransaction_ = true;
    if (OnBeginTransComplete) OnBeginTransComplete(*this, 1, TEventStatus::OK, {});
    return 1;
}

void TADOConnection::CommitTrans()
{
    if (!Connected() || !inTransaction_) {
        const std::string error = "No transaction is active.";
        if (OnCommitTransComplete) OnCommitTransComplete(*this, TEventStatus::ErrorsOccurred, error);
        throw EOleException(error);
    }
    try {
        session_->Commit();
    } catch (...) {
        const std::string error = MessageOfCurrent();
        if (OnCommitTransComplete) OnCommitTransComplete(*this, TEventStatus::ErrorsOccurred, error);
        throw;
    }
    inTransaction_ = false;
    if (OnCommitTransComplete) OnCommitTransComplete(*this, TEventStatus::OK, {});
}

void TADOConnection::RollbackTrans()
{
    if (!Connected() || !inTransaction_) throw EOleException("No transaction is active.");
    inTransaction_ = false;
    session_->Rollback();
}

TBatchResult TADOConnection::ExecuteBatch(std::string commandText, const std::vector<TParameter>& params,
                                          int commandTimeout)
{
    EnsureOpen();
    if (OnWillExecute) OnWillExecute(*this, commandText);
    return session_->Execute(commandText, params, commandTimeout);
}

long long TADOConnection::Execute(const std::string& commandText)
{
    return ExecuteBatch(commandText, {}, CommandTimeout).RowsAffected;
}

TRecordsetPtr TADOConnection::ExecuteRecordset(const std::string& commandText)
{
    TBatchResult result = ExecuteBatch(commandText, {}, CommandTimeout);
    if (!result.Rows) return std::make_shared<TRecordset>();
    return std::make_shared<TRecordset>(std::move(*result.Rows));
}

} // namespace tarnwick::sql
