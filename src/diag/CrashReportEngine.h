#pragma once

#include "platform/core/DateTime.h"

#include <exception>
#include <functional>
#include <map>
#include <string>

namespace tarnwick {

enum class TEmailSendMode { esmNoSend, esmEmailClient, esmSMTPServer };

// The engine's exception-dialog options; the first one shows the engine's own dialog.
enum class TExceptionDialogOption { edoShowExceptionDialog, edoShowDetailsButton, edoSendErrorReportChecked };

// What the engine keeps of one error.
struct TCrashReport {
    TDateTime Time = 0;
    std::string ClassName;
    std::string Message;
    std::string ComputerName;
    std::string UserName;
};

// The crash-report engine: records every error it processes in a report file in its log
// folder and, with its first dialog option set, shows its own dialog. A notification
// callback sees each error first and may answer that the engine should leave it alone.
class TCrashReportEngine {
public:
    using TNotify = std::function<void(const std::exception_ptr& error, bool& handled)>;

    static constexpr const char* ReportFileName = "CrashReports.txt";

    bool Active() const { return active_; }
    void SetActive(bool active) { active_ = active; }

    TEmailSendMode EmailSendMode() const { return sendMode_; }
    void SetEmailSendMode(TEmailSendMode mode) { sendMode_ = mode; }

    bool DialogOption(TExceptionDialogOption option) const;
    void SetDialogOption(TExceptionDialogOption option, bool set);
    void ClearDialogOptions() { dialogOptions_ = 0; }

    // A message shown in place of the error's own by the dialog of the current report.
    const std::string& CustomErrorMessage() const { return customMessage_; }
    void SetCustomErrorMessage(std::string message) { customMessage_ = std::move(message); }

    std::string DialogText(int number) const;
    void SetDialogText(int number, std::string text) { dialogTexts_[number] = std::move(text); }

    // Where the report file goes; empty: the temporary folder.
    const std::string& LogFolder() const { return logFolder_; }
    void SetLogFolder(std::string folder) { logFolder_ = std::move(folder); }

    void SetOnNotify(TNotify notify) { notify_ = std::move(notify); }

    // Records the error and shows the dialog as configured; does nothing when inactive or
    // when the notification answers that the error is not for the engine.
    void ProcessException(const std::exception_ptr& error);

    // The path of the report file in use.
    std::string ReportFilePath() const;

private:
    TCrashReport MakeReport(const std::exception_ptr& error) const;
    void Record(const TCrashReport& report) const;
    void ShowDialog(const TCrashReport& report, const std::string& customMessage) const;

    bool active_ = true;
    TEmailSendMode sendMode_ = TEmailSendMode::esmNoSend;
    unsigned dialogOptions_ = 1u << static_cast<unsigned>(TExceptionDialogOption::edoShowExceptionDialog);
    std::string customMessage_;
    std::map<int, std::string> dialogTexts_;
    std::string logFolder_;
    TNotify notify_;
};

// The one engine of the process; the reset gives tests a fresh one with the defaults.
TCrashReportEngine& CrashReportEngine();
void ResetCrashReportEngine();

} // namespace tarnwick
