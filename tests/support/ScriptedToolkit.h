#pragma once

#include "platform/ui/Toolkit.h"

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tarnwick::test {

// What the person was shown or asked, in order.
enum class TDialogKind { MessageBox, InputBox, SaveDialog, SQLWarning, ConfirmBackup };

struct TRecordedDialog {
    TDialogKind Dialog = TDialogKind::MessageBox;
    ui::TMsgDlgType Kind = ui::TMsgDlgType::mtInformation; // message boxes
    std::string Caption;
    std::string Text; // box text as passed, input prompt, save filter, window message
    ui::TMsgDlgButtons Buttons;
    int HelpContext = 0;
    std::string DefaultText; // input default, save file name
    std::string DefaultExt;
};

// Raised by Halt so a test sees the program end without the test process ending.
struct THaltRequested {
    int ExitCode = 0;
};

// The state of a utility window the double made; it outlives the window.
struct TScriptedWindowState {
    ui::IUtilityWindowEvents* Events = nullptr;
    std::string Caption;
    TStringList Lines;
    int Repaints = 0;
    bool Shown = false;
    bool Closed = false;
    bool UpdateEnabled = true;
    bool CloseEnabled = true;
    std::string UpdateCaption = "&Run";
    std::string CloseCaption = "Close";
};

struct TScriptedWaitConnectState {
    ui::IWaitConnectEvents* Events = nullptr;
    std::string ServerCaption = "Server: ";
    std::string DatabaseCaption = "Database: ";
    TStringList TimeCaptions; // every caption lblTime was given, in order
    bool AbortVisible = false;
    bool Visible = false;
    int Shows = 0;
    int Repaints = 0;
};

struct TScriptedSQLWarningState {
    ui::ISQLWarningEvents* Events = nullptr;
    TStringList ErrorDetailLines;
    std::string DetailButtonCaption;
    bool DetailsVisible = true;
    int ClientHeight = 0;
    std::string HelpCentreURL;
    std::string ContactURL;
    int ShowModalCalls = 0;
};

struct TScriptedConfirmBackupState {
    ui::IConfirmBackupEvents* Events = nullptr;
    std::string Message;
    std::string AcceptCaption;
    bool AcceptChecked = false;
    bool NoEnabled = true;
};

// The toolkit for tests. Records every box, question, window change, cursor change and end
// request; answers questions from a queue and fails the test (ADD_FAILURE) on a question
// nobody scripted or on answers left when it is destroyed. Boxes whose only button is OK are
// not questions: they are recorded and answered OK. Sleep and the message pump return at
// once; the pump still runs work posted to the window thread.
class ScriptedToolkit : public ui::IToolkit {
public:
    // Top panel and button panel heights the SQL warning window reports.
    static constexpr int TopPanelHeight = 120;
    static constexpr int ButtonPanelHeight = 40;

    ScriptedToolkit();
    ~ScriptedToolkit() override;

    // Scripted answers, consumed in order by the questions.
    void Answer(ui::TModalResult result);
    void AnswerInput(std::string text);
    void CancelInput();
    void AnswerSave(std::string path);
    void CancelSave();
    // The confirm-without-backup window: optionally ticks the accept box, then presses.
    void AnswerConfirmBackup(ui::TModalResult result, bool tickAccept);

    // Fails the test for every answer still queued, and forgets them.
    void VerifyAllAnswered();

    const std::vector<TRecordedDialog>& Dialogs() const { return dialogs_; }
    std::vector<TRecordedDialog> Boxes() const;
    // A readable trace of everything, in order ("Box Warning: ...", "Cursor crHourGlass",
    // "btnUpdate disabled", "Message: ...", "Terminate", ...).
    const TStringList& Trace() const { return trace_; }
    const std::vector<ui::TCursor>& CursorChanges() const { return cursorChanges_; }
    int ProcessMessagesCalls() const { return pumps_; }
    long long SleptMilliseconds() const { return slept_; }
    int Minimizes() const { return minimizes_; }
    std::optional<int> HaltCode() const { return haltCode_; }
    const std::vector<std::string>& OpenedURLs() const { return openedURLs_; }
    const std::string& Clipboard() const { return clipboard_; }

    // Runs inside every ProcessMessages, before the posted work (a click arriving, say).
    void OnProcessMessages(std::function<void()> hook) { onPump_ = std::move(hook); }
    // Runs inside every Sleep with its duration.
    void OnSleep(std::function<void(int)> hook) { onSleep_ = std::move(hook); }
    // Runs while the SQL warning window is up, before it closes with OK.
    void OnSQLWarningShown(std::function<void(TScriptedSQLWarningState&)> hook)
    {
        onSQLWarning_ = std::move(hook);
    }

    // The windows made last; nullptr before the first.
    TScriptedWindowState* Window() const { return window_.get(); }
    TScriptedWaitConnectState* WaitConnect() const { return waitConnect_.get(); }
    TScriptedSQLWarningState* SQLWarning() const { return sqlWarning_.get(); }
    TScriptedConfirmBackupState* ConfirmBackup() const { return confirmBackup_.get(); }

    // ui::IToolkit
    std::string ApplicationTitle() const override { return title_; }
    void SetApplicationTitle(std::string_view title) override;
    ui::TModalResult MessageBox(const ui::TMessageBoxRequest& request) override;
    std::optional<std::string> InputBox(std::string_view caption, std::string_view prompt,
                                        std::string_view defaultText) override;
    std::optional<std::string> SaveFileDialog(const ui::TSaveDialogOptions& options) override;
    ui::TCursor Cursor() const override { return cursor_; }
    void SetCursor(ui::TCursor cursor) override;
    void ProcessMessages() override;
    void Sleep(int milliseconds) override;
    void Terminate() override;
    bool Terminated() const override { return terminated_; }
    [[noreturn]] void Halt(int exitCode) override;
    void Minimize() override;
    void OpenURL(std::string_view url) override;
    void CopyToClipboard(std::string_view text) override;
    void RunEventLoop() override;
    std::unique_ptr<ui::IUtilityWindow> NewUtilityWindow(ui::IUtilityWindowEvents& events) override;
    std::unique_ptr<ui::IWaitConnectView> NewWaitConnectView(ui::IWaitConnectEvents& events) override;
    std::unique_ptr<ui::ISQLWarningView> NewSQLWarningView(ui::ISQLWarningEvents& events) override;
    std::unique_ptr<ui::IConfirmBackupView> NewConfirmBackupView(ui::IConfirmBackupEvents& events) override;

    // Used by the double's windows.
    void AddTrace(std::string line) { trace_.push_back(std::move(line)); }
    void Record(TRecordedDialog dialog) { dialogs_.push_back(std::move(dialog)); }
    ui::TModalResult ShowConfirmBackup(TScriptedConfirmBackupState& state);
    ui::TModalResult ShowSQLWarning(TScriptedSQLWarningState& state);

private:
    struct TAnswer {
        TDialogKind Dialog;
        ui::TModalResult Result = ui::mrNone;
        std::optional<std::string> Text;
        bool TickAccept = false;
    };
    std::optional<TAnswer> NextAnswer(TDialogKind dialog, const std::string& what);

    std::deque<TAnswer> answers_;
    std::vector<TRecordedDialog> dialogs_;
    TStringList trace_;
    std::vector<ui::TCursor> cursorChanges_;
    std::string title_;
    ui::TCursor cursor_ = ui::TCursor::crDefault;
    bool terminated_ = false;
    int pumps_ = 0;
    long long slept_ = 0;
    int minimizes_ = 0;
    std::optional<int> haltCode_;
    std::vector<std::string> openedURLs_;
    std::string clipboard_;
    std::function<void()> onPump_;
    std::function<void(int)> onSleep_;
    std::function<void(TScriptedSQLWarningState&)> onSQLWarning_;
    std::shared_ptr<TScriptedWindowState> window_;
    std::shared_ptr<TScriptedWaitConnectState> waitConnect_;
    std::shared_ptr<TScriptedSQLWarningState> sqlWarning_;
    std::shared_ptr<TScriptedConfirmBackupState> confirmBackup_;
};

// Puts a fresh scripted toolkit in place for the scope and restores the previous one.
class ScopedScriptedToolkit {
public:
    ScopedScriptedToolkit();
    ~ScopedScriptedToolkit();
    ScopedScriptedToolkit(const ScopedScriptedToolkit&) = delete;
    ScopedScriptedToolkit& operator=(const ScopedScriptedToolkit&) = delete;

    ScriptedToolkit& operator*() const { return *toolkit_; }
    ScriptedToolkit* operator->() const { return toolkit_.get(); }

private:
    std::shared_ptr<ScriptedToolkit> toolkit_;
    std::shared_ptr<ui::IToolkit> previous_;
};

std::string CursorName(ui::TCursor cursor);
std::string KindName(ui::TMsgDlgType kind);

} // namespace tarnwick::test
