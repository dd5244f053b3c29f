#pragma once

#include "platform/ui/Toolkit.h"

#include <memory>

class QTimer;

namespace tarnwick::gui {

// The toolkit on Qt 6 Widgets. Needs a QApplication made before it.
class TQtToolkit : public ui::IToolkit {
public:
    TQtToolkit();
    ~TQtToolkit() override;

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

private:
    std::string title_;
    ui::TCursor cursor_ = ui::TCursor::crDefault;
    bool terminated_ = false;
    // Delivers work posted to the window thread while the event loop or a dialog idles.
    std::unique_ptr<QTimer> postedWork_;
};

} // namespace tarnwick::gui
