#include "support/ScriptedToolkit.h"

#include "platform/core/Exceptions.h"
#include "platform/core/MainThreadQueue.h"

#include <gtest/gtest.h>

namespace tarnwick::test {

namespace {

std::string ButtonName(ui::TWindowButton button)
{
    return button == ui::TWindowButton::btnUpdate ? "btnUpdate" : "btnClose";
}

std::string DialogName(TDialogKind dialog)
{
    switch (dialog) {
    case TDialogKind::MessageBox:
        return "message box";
    case TDialogKind::InputBox:
        return "input box";
    case TDialogKind::SaveDialog:
        return "save dialog";
    case TDialogKind::SQLWarning:
        return "connection-failure window";
    case TDialogKind::ConfirmBackup:
        return "confirm-without-backup window";
    }
    return "dialog";
}

bool IsQuestion(ui::TMsgDlgButtons buttons)
{
    using ui::TMsgDlgBtn;
    return buttons.Contains(TMsgDlgBtn::mbYes) || buttons.Contains(TMsgDlgBtn::mbNo) ||
           buttons.Contains(TMsgDlgBtn::mbCancel) || !buttons.Contains(TMsgDlgBtn::mbOK);
}

class ScriptedUtilityWindow : public ui::IUtilityWindow {
public:
    ScriptedUtilityWindow(ScriptedToolkit& toolkit, std::shared_ptr<TScriptedWindowState> state)
        : toolkit_(toolkit), state_(std::move(state))
    {
    }

    std::string Caption() const override { return state_->Caption; }
    void SetCaption(std::string_view caption) override
    {
        state_->Caption = caption;
        toolkit_.AddTrace("Caption: " + state_->Caption);
    }
    void ClearMessages() override
    {
        state_->Lines.clear();
        toolkit_.AddTrace("Clear messages");
    }
    void AddMessage(std::string_view text) override
    {
        for (auto& line : ui::MessageAreaLinesOf(text)) {
            toolkit_.AddTrace("Message: " + line);
            state_->Lines.push_back(std::move(line));
        }
    }
    TStringList MessageLines() const override { return state_->Lines; }
    void SetMessageLine(int index, std::string_view text) override
    {
        if (index < 0 || index >= static_cast<int>(state_->Lines.size())) ThrowListIndexError(index);
        const TStringList replacement = ui::MessageAreaLinesOf(text);
        state_->Lines.erase(state_->Lines.begin() + index);
        state_->Lines.insert(state_->Lines.begin() + index, replacement.begin(), replacement.end());
        toolkit_.AddTrace("Message line " + std::to_string(index) + ": " + std::string(text));
    }
    void RepaintMessages() override { ++state_->Repaints; }
    bool ButtonEnabled(ui::TWindowButton button) const override
    {
        return button == ui::TWindowButton::btnUpdate ? state_->UpdateEnabled : state_->CloseEnabled;
    }
    void SetButtonEnabled(ui::TWindowButton button, bool enabled) override
    {
        (button == ui::TWindowButton::btnUpdate ? state_->UpdateEnabled : state_->CloseEnabled) = enabled;
        toolkit_.AddTrace(ButtonName(button) + (enabled ? " enabled" : " disabled"));
    }
    std::string ButtonCaption(ui::TWindowButton button) const override
    {
        return button == ui::TWindowButton::btnUpdate ? state_->UpdateCaption : state_->CloseCaption;
    }
    void SetButtonCaption(ui::TWindowButton button, std::string_view caption) override
    {
        (button == ui::TWindowButton::btnUpdate ? state_->UpdateCaption : state_->CloseCaption) = caption;
        toolkit_.AddTrace(ButtonName(button) + " caption: " + std::string(caption));
    }
    void Show() override
    {
        toolkit_.AddTrace("Show window");
        if (state_->Shown) return;
        state_->Shown = true;
        state_->Events->FormShow();
    }
    void Close() override
    {
        toolkit_.AddTrace("Close window");
        state_->Closed = true;
        toolkit_.Terminate();
    }

private:
    ScriptedToolkit& toolkit_;
    std::shared_ptr<TScriptedWindowState> state_;
};

class ScriptedWaitConnectView : public ui::IWaitConnectView {
public:
    explicit ScriptedWaitConnectView(std::shared_ptr<TScriptedWaitConnectState> state)
        : state_(std::move(state))
    {
    }
    void SetServerCaption(std::string_view caption) override { state_->ServerCaption = caption; }
    void SetDatabaseCaption(std::string_view caption) override { state_->DatabaseCaption = caption; }
    void SetTimeCaption(std::string_view caption) override { state_->TimeCaptions.emplace_back(caption); }
    void SetAbortVisible(bool visible) override { state_->AbortVisible = visible; }
    void Show() override
    {
        state_->Visible = true;
        ++state_->Shows;
    }
    void Hide() override { state_->Visible = false; }
    bool Visible() const override { return state_->Visible; }
    void Repaint() override { ++state_->Repaints; }

private:
    std::shared_ptr<TScriptedWaitConnectState> state_;
};

class ScriptedURLLabel : public ui::IURLLabel {
public:
    explicit ScriptedURLLabel(std::string& url) : url_(url) {}
    std::string Caption() const override { return caption_; }
    void SetCaption(std::string_view caption) override { caption_ = caption; }
    std::string URL() const override { return url_; }
    void SetURL(std::string_view url) override { url_ = url; }
    std::string Hint() const override { return hint_; }
    void SetHint(std::string_view hint) override { hint_ = hint; }

private:
    std::string& url_;
    std::string caption_;
    std::string hint_;
};

class ScriptedSQLWarningView : public ui::ISQLWarningView {
public:
    ScriptedSQLWarningView(ScriptedToolkit& toolkit, std::shared_ptr<TScriptedSQLWarningState> state)
        : toolkit_(toolkit), state_(std::move(state)), helpCentre_(state_->HelpCentreURL),
          contact_(state_->ContactURL)
    {
    }
    TStringList ErrorDetailLines() const override { return state_->ErrorDetailLines; }
    void AddErrorDetail(std::string_view text) override
    {
        for (auto& line : ui::MessageAreaLinesOf(text)) state_->ErrorDetailLines.push_back(std::move(line));
    }
    std::string DetailButtonCaption() const override { return state_->DetailButtonCaption; }
    void SetDetailButtonCaption(std::string_view caption) override { state_->DetailButtonCaption = caption; }
    bool DetailsVisible() const override { return state_->DetailsVisible; }
    void SetDetailsVisible(bool visible) override { state_->DetailsVisible = visible; }
    int TopPanelHeight() const override { return ScriptedToolkit::TopPanelHeight; }
    int ButtonPanelHeight() const override { return ScriptedToolkit::ButtonPanelHeight; }
    int ClientHeight() const override { return state_->ClientHeight; }
    void SetClientHeight(int height) override { state_->ClientHeight = height; }
    ui::IURLLabel& HelpCentreLink() override { return helpCentre_; }
    ui::IURLLabel& ContactLink() override { return contact_; }
    ui::TModalResult ShowModal() override { return toolkit_.ShowSQLWarning(*state_); }

private:
    ScriptedToolkit& toolkit_;
    std::shared_ptr<TScriptedSQLWarningState> state_;
    ScriptedURLLabel helpCentre_;
    ScriptedURLLabel contact_;
};

class ScriptedConfirmBackupView : public ui::IConfirmBackupView {
public:
    ScriptedConfirmBackupView(ScriptedToolkit& toolkit, std::shared_ptr<TScriptedConfirmBackupState> state)
        : toolkit_(toolkit), state_(std::move(state))
    {
    }
    std::string Message() const override { return state_->Message; }
    void SetMessage(std::string_view text) override { state_->Message = text; }
    std::string AcceptCaption() const override { return state_->AcceptCaption; }
    void SetAcceptCaption(std::string_view caption) override { state_->AcceptCaption = caption; }
    bool AcceptChecked() const override { return state_->AcceptChecked; }
    bool NoEnabled() const override { return state_->NoEnabled; }
    void SetNoEnabled(bool enabled) override { state_->NoEnabled = enabled; }
    ui::TModalResult ShowModal() override { return toolkit_.ShowConfirmBackup(*state_); }

private:
    ScriptedToolkit& toolkit_;
    std::shared_ptr<TScriptedConfirmBackupState> state_;
};

} // namespace

std::string CursorName(ui::TCursor cursor)
{
    switch (cursor) {
    case ui::TCursor::crDefault:
        return "crDefault";
    case ui::TCursor::crHourGlass:
        return "crHourGlass";
    case ui::TCursor::crAppStart:
        return "crAppStart";
    }
    return "";
}

std::string KindName(ui::TMsgDlgType kind)
{
    return kind == ui::TMsgDlgType::mtCustom ? "Custom" : ui::StandardCaption(kind);
}

ScriptedToolkit::ScriptedToolkit() = default;

ScriptedToolkit::~ScriptedToolkit() { VerifyAllAnswered(); }

void ScriptedToolkit::Answer(ui::TModalResult result)
{
    answers_.push_back({TDialogKind::MessageBox, result, std::nullopt, false});
}

void ScriptedToolkit::AnswerInput(std::string text)
{
    answers_.push_back({TDialogKind::InputBox, ui::mrOk, std::move(text), false});
}

void ScriptedToolkit::CancelInput()
{
    answers_.push_back({TDialogKind::InputBox, ui::mrCancel, std::nullopt, false});
}

void ScriptedToolkit::AnswerSave(std::string path)
{
    answers_.push_back({TDialogKind::SaveDialog, ui::mrOk, std::move(path), false});
}

void ScriptedToolkit::CancelSave()
{
    answers_.push_back({TDialogKind::SaveDialog, ui::mrCancel, std::nullopt, false});
}

void ScriptedToolkit::AnswerConfirmBackup(ui::TModalResult result, bool tickAccept)
{
    answers_.push_back({TDialogKind::ConfirmBackup, result, std::nullopt, tickAccept});
}

void ScriptedToolkit::VerifyAllAnswered()
{
    for (const TAnswer& answer : answers_)
        ADD_FAILURE() << "A scripted answer for a " << DialogName(answer.Dialog) << " was never asked for";
    answers_.clear();
}

std::vector<TRecordedDialog> ScriptedToolkit::Boxes() const
{
    std::vector<TRecordedDialog> boxes;
    for (const TRecordedDialog& dialog : dialogs_)
        if (dialog.Dialog == TDialogKind::MessageBox) boxes.push_back(dialog);
    return boxes;
}

std::optional<ScriptedToolkit::TAnswer> ScriptedToolkit::NextAnswer(TDialogKind dialog,
                                                                    const std::string& what)
{
    if (answers_.empty()) {
        ADD_FAILURE() << "Unexpected " << DialogName(dialog) << ": " << what;
        return std::nullopt;
    }
    TAnswer answer = answers_.front();
    answers_.pop_front();
    if (answer.Dialog != dialog) {
        ADD_FAILURE() << "A " << DialogName(dialog) << " was shown where a " << DialogName(answer.Dialog)
                      << " was scripted: " << what;
        return std::nullopt;
    }
    return answer;
}

void ScriptedToolkit::SetApplicationTitle(std::string_view title)
{
    title_ = title;
    AddTrace("Application title: " + title_);
}

ui::TModalResult ScriptedToolkit::MessageBox(const ui::TMessageBoxRequest& request)
{
    TRecordedDialog box;
    box.Kind = request.Kind;
    box.Caption = ui::CaptionOf(request);
    box.Text = request.Text;
    box.Buttons = request.Buttons;
    box.HelpContext = request.HelpContext;
    Record(box);
    AddTrace("Box " + KindName(request.Kind) + ": " + request.Text);

    if (!IsQuestion(request.Buttons)) return ui::mrOk;
    const auto escape = ui::EscapeButtonOf(request.Buttons);
    const ui::TModalResult fallback = escape ? ui::ModalResultOf(*escape) : ui::mrCancel;
    const auto answer = NextAnswer(TDialogKind::MessageBox, request.Text);
    if (!answer) return fallback;
    const bool offered =
        (answer->Result == ui::mrYes && request.Buttons.Contains(ui::TMsgDlgBtn::mbYes)) ||
        (answer->Result == ui::mrNo && request.Buttons.Contains(ui::TMsgDlgBtn::mbNo)) ||
        (answer->Result == ui::mrOk && request.Buttons.Contains(ui::TMsgDlgBtn::mbOK)) ||
        (answer->Result == ui::mrCancel && request.Buttons.Contains(ui::TMsgDlgBtn::mbCancel));
    if (!offered) {
        ADD_FAILURE() << "Scripted answer " << answer->Result
                      << " is not a button of the box: " << request.Text;
        return fallback;
    }
    return answer->Result;
}

std::optional<std::string> ScriptedToolkit::InputBox(std::string_view caption, std::string_view prompt,
                                                     std::string_view defaultText)
{
    TRecordedDialog input;
    input.Dialog = TDialogKind::InputBox;
    input.Caption = caption;
    input.Text = prompt;
    input.Buttons = {ui::TMsgDlgBtn::mbOK, ui::TMsgDlgBtn::mbCancel};
    input.DefaultText = defaultText;
    Record(input);
    AddTrace("Input " + input.Caption + ": " + input.Text);
    const auto answer = NextAnswer(TDialogKind::InputBox, input.Text);
    return answer ? answer->Text : std::nullopt;
}

std::optional<std::string> ScriptedToolkit::SaveFileDialog(const ui::TSaveDialogOptions& options)
{
    TRecordedDialog save;
    save.Dialog = TDialogKind::SaveDialog;
    save.Text = options.Filter;
    save.Buttons = {ui::TMsgDlgBtn::mbOK, ui::TMsgDlgBtn::mbCancel};
    save.DefaultText = options.FileName;
    save.DefaultExt = options.DefaultExt;
    Record(save);
    AddTrace("Save dialog: " + options.FileName);
    const auto answer = NextAnswer(TDialogKind::SaveDialog, options.FileName);
    return answer ? answer->Text : std::nullopt;
}

void ScriptedToolkit::SetCursor(ui::TCursor cursor)
{
    cursor_ = cursor;
    cursorChanges_.push_back(cursor);
    AddTrace("Cursor " + CursorName(cursor));
}

void ScriptedToolkit::ProcessMessages()
{
    ++pumps_;
    if (onPump_) onPump_();
    RunPostedWork();
}

void ScriptedToolkit::Sleep(int milliseconds)
{
    slept_ += milliseconds;
    if (onSleep_) onSleep_(milliseconds);
}

void ScriptedToolkit::Terminate()
{
    terminated_ = true;
    AddTrace("Terminate");
}

void ScriptedToolkit::Halt(int exitCode)
{
    haltCode_ = exitCode;
    AddTrace("Halt " + std::to_string(exitCode));
    throw THaltRequested{exitCode};
}

void ScriptedToolkit::Minimize()
{
    ++minimizes_;
    AddTrace("Minimize");
}

void ScriptedToolkit::OpenURL(std::string_view url) { openedURLs_.emplace_back(url); }

void ScriptedToolkit::CopyToClipboard(std::string_view text) { clipboard_ = text; }

void ScriptedToolkit::RunEventLoop()
{
    // While the loop idles only the pump hook can make anything happen: without one, one pass.
    for (int pass = 0; !terminated_; ++pass) {
        if (pass > 0 && !onPump_) return;
        if (pass == 100000) {
            ADD_FAILURE() << "The event loop never ended";
            return;
        }
        ProcessMessages();
    }
}

std::unique_ptr<ui::IUtilityWindow> ScriptedToolkit::NewUtilityWindow(ui::IUtilityWindowEvents& events)
{
    window_ = std::make_shared<TScriptedWindowState>();
    window_->Events = &events;
    return std::make_unique<ScriptedUtilityWindow>(*this, window_);
}

std::unique_ptr<ui::IWaitConnectView> ScriptedToolkit::NewWaitConnectView(ui::IWaitConnectEvents& events)
{
    waitConnect_ = std::make_shared<TScriptedWaitConnectState>();
    waitConnect_->Events = &events;
    return std::make_unique<ScriptedWaitConnectView>(waitConnect_);
}

std::unique_ptr<ui::ISQLWarningView> ScriptedToolkit::NewSQLWarningView(ui::ISQLWarningEvents& events)
{
    sqlWarning_ = std::make_shared<TScriptedSQLWarningState>();
    sqlWarning_->Events = &events;
    return std::make_unique<ScriptedSQLWarningView>(*this, sqlWarning_);
}

std::unique_ptr<ui::IConfirmBackupView>
ScriptedToolkit::NewConfirmBackupView(ui::IConfirmBackupEvents& events)
{
    confirmBackup_ = std::make_shared<TScriptedConfirmBackupState>();
    confirmBackup_->Events = &events;
    return std::make_unique<ScriptedConfirmBackupView>(*this, confirmBackup_);
}

ui::TModalResult ScriptedToolkit::ShowSQLWarning(TScriptedSQLWarningState& state)
{
    ++state.ShowModalCalls;
    TRecordedDialog window;
    window.Dialog = TDialogKind::SQLWarning;
    window.Caption = "Warning";
    window.Text = JoinLines(state.ErrorDetailLines);
    window.Buttons = {ui::TMsgDlgBtn::mbOK};
    Record(window);
    AddTrace("Connection-failure window: " + window.Text);
    if (onSQLWarning_) onSQLWarning_(state);
    return ui::mrOk;
}

ui::TModalResult ScriptedToolkit::ShowConfirmBackup(TScriptedConfirmBackupState& state)
{
    TRecordedDialog window;
    window.Dialog = TDialogKind::ConfirmBackup;
    window.Caption = "Confirm";
    window.Text = state.Message;
    window.Buttons = {ui::TMsgDlgBtn::mbYes, ui::TMsgDlgBtn::mbNo, ui::TMsgDlgBtn::mbCancel};
    Record(window);
    AddTrace("Confirm-without-backup window: " + state.Message);
    const auto answer = NextAnswer(TDialogKind::ConfirmBackup, state.Message);
    if (!answer) return ui::mrCancel;
    if (answer->TickAccept) {
        state.AcceptChecked = !state.AcceptChecked;
        state.Events->ckbAcceptClick();
    }
    if (answer->Result == ui::mrNo && !state.NoEnabled) {
        ADD_FAILURE() << "No was scripted in the confirm-without-backup window while it is disabled";
        return ui::mrCancel;
    }
    return answer->Result;
}

ScopedScriptedToolkit::ScopedScriptedToolkit()
    : toolkit_(std::make_shared<ScriptedToolkit>()), previous_(ui::SetToolkit(toolkit_))
{
}

ScopedScriptedToolkit::~ScopedScriptedToolkit() { ui::SetToolkit(previous_); }

} // namespace tarnwick::test
