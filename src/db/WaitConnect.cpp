#include "db/WaitConnect.h"

#include "db/AbandonedConnections.h"
#include "db/TaxConnections.h"
#include "platform/core/ScopeGuard.h"
#include "platform/core/Strings.h"
#include "platform/ui/Toolkit.h"

namespace tarnwick {

namespace {

constexpr int GracePeriodPasses = 6;
constexpr int PassMilliseconds = 100;
constexpr int PassesPerTick = 10;
constexpr int StopShownAt = 45;

} // namespace

TfrmWaitConnect::TfrmWaitConnect()
    : view_(ui::Toolkit().NewWaitConnectView(*this)), TestConnection(std::make_unique<sql::TADOConnection>())
{
}

TfrmWaitConnect::~TfrmWaitConnect()
{
    ui::IToolkit& toolkit = ui::Toolkit();
    const ui::TCursor saved = toolkit.Cursor();
    toolkit.SetCursor(ui::TCursor::crHourGlass);
    TestConnection->OnConnectComplete = nullptr;
    if (!responsive_) AbandonConnection(std::move(TestConnection));
    TestConnection.reset();
    toolkit.SetCursor(saved);
}

bool TfrmWaitConnect::TestConnect(const std::string& server, const std::string& database,
                                  const std::string& userID, const std::string& password, bool longWait)
{
    ui::IToolkit& toolkit = ui::Toolkit();
    const ui::TCursor saved = toolkit.Cursor();
    const ScopeGuard restoreCursor([&] { toolkit.SetCursor(saved); });
    toolkit.SetCursor(ui::TCursor::crHourGlass);

    TestConnection->SetConnectionString(
        TTaxConnections::MakeConnectionString(password, userID, database, server));
    TestConnection->OnConnectComplete = [this](sql::TADOConnection&, sql::TEventStatus status,
                                               const std::string& error) {
        adoTestConnectComplete(status, error);
    };
    if (longWait) {
        TestConnection->ConnectionTimeout = 10;
        Countdown = 61;
    } else {
        Countdown = 11;
        TestConnection->ConnectionTimeout = Countdown + 5;
    }
    TickCountdown();

    TestConnection->ConnectOptions = sql::TConnectOption::Asynchronous;
    TestConnection->Open();

    for (int pass = 0; pass < GracePeriodPasses && !connected_ && !finished_; ++pass) {
        toolkit.Sleep(PassMilliseconds);
        toolkit.ProcessMessages();
    }
    if (!connected_ && !finished_) WaitVisibly(server, database);
    return connected_;
}

void TfrmWaitConnect::WaitVisibly(const std::string& server, const std::string& database)
{
    ui::IToolkit& toolkit = ui::Toolkit();
    view_->Show();
    view_->SetServerCaption("SQL Server: " + server);
    view_->SetDatabaseCaption("Database: " + database);
    int passes = PassesPerTick;
    while (!connected_ && !finished_) {
        if (Countdown < 0) {
            view_->SetTimeCaption("FAILED");
            finished_ = true;
            responsive_ = false;
            failReason_ =
                "Timeout - '" + server + "' may not be accessible or the SQL instance is not running.";
            view_->Repaint();
            toolkit.Sleep(1000);
            break;
        }
        if (Countdown == StopShownAt) {
            view_->SetAbortVisible(true);
            toolkit.SetCursor(ui::TCursor::crAppStart);
        }
        view_->Repaint();
        toolkit.Sleep(PassMilliseconds);
        if (--passes < 0) {
            TickCountdown();
            passes = PassesPerTick;
        }
        toolkit.ProcessMessages();
    }
    if (connected_) view_->Hide();
}

void TfrmWaitConnect::TickCountdown()
{
    --Countdown;
    if (Countdown >= 0) view_->SetTimeCaption(IntToStr(Countdown));
}

void TfrmWaitConnect::adoTestConnectComplete(sql::TEventStatus status, const std::string& error)
{
    connected_ = status == sql::TEventStatus::OK;
    if (connected_) return;
    finished_ = true;
    if (status == sql::TEventStatus::ErrorsOccurred)
        failReason_ = error;
    else
        failReason_ = "Unrecognised EventStatus in TfrmWaitConnect.adoTestConnectComplete";
}

void TfrmWaitConnect::btnAbortClick()
{
    if (connected_) return;
    finished_ = true;
    failReason_ = "User stopped connection attempt.";
    responsive_ = false;
    view_->SetAbortVisible(false);
}

} // namespace tarnwick
