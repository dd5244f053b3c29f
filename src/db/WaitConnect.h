#pragma once

#include "platform/sql/Connection.h"
#include "platform/ui/WaitConnectView.h"

#include <memory>
#include <string>

namespace tarnwick {

// Tests whether a login can reach a database without freezing the program: an asynchronous
// connect, a short wait out of sight, then a "Please wait - connecting..." box counting down
// until the answer, a timeout or STOP. Single use: make one per test.
class TfrmWaitConnect : public ui::IWaitConnectEvents {
public:
    TfrmWaitConnect();
    // An attempt abandoned by a timeout or STOP leaves its connection unreleased, so
    // releasing the form never waits for it.
    ~TfrmWaitConnect() override;
    TfrmWaitConnect(const TfrmWaitConnect&) = delete;
    TfrmWaitConnect& operator=(const TfrmWaitConnect&) = delete;

    // True when connected; otherwise FailReason says why. Never raises for a failed connect.
    bool TestConnect(const std::string& server, const std::string& database, const std::string& userID,
                     const std::string& password, bool longWait);
    const std::string& FailReason() const { return failReason_; }
    // False when the attempt got no answer (timeout or STOP) rather than an error.
    bool Responsive() const { return responsive_; }

    void adoTestConnectComplete(sql::TEventStatus status, const std::string& error);
    void btnAbortClick() override;

private:
    void TickCountdown();
    void WaitVisibly(const std::string& server, const std::string& database);

    std::unique_ptr<ui::IWaitConnectView> view_;
    std::unique_ptr<sql::TADOConnection> TestConnection;
    std::string failReason_;
    bool responsive_ = true;
    bool connected_ = false;
    bool finished_ = false;
    int Countdown = 0;
};

} // namespace tarnwick
