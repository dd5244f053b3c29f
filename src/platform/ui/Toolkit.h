#pragma once

#include "platform/ui/ConfirmBackupView.h"
#include "platform/ui/MessageDialog.h"
#include "platform/ui/SQLWarningView.h"
#include "platform/ui/UtilityWindow.h"
#include "platform/ui/WaitConnectView.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick::ui {

// The screen cursor: the normal arrow, the hourglass, and the arrow with an hourglass.
enum class TCursor { crDefault, crHourGlass, crAppStart };

// The save-file dialog's settings. Filter is "description|pattern" pairs joined by "|";
// DefaultExt (without the dot) is added to a name typed without an extension.
struct TSaveDialogOptions {
    std::string FileName;
    std::string Filter;
    std::string DefaultExt;
};

// The windowing toolkit as the system sees it. All texts are Windows-1252; every call is
// made on the window thread. Dialogs are modal and keep the program's events flowing.
class IToolkit {
public:
    virtual ~IToolkit() = default;

    virtual std::string ApplicationTitle() const = 0;
    virtual void SetApplicationTitle(std::string_view title) = 0;

    // Shows the box modally and returns the button that closed it.
    virtual TModalResult MessageBox(const TMessageBoxRequest& request) = 0;
    // The single-line input box with OK and Cancel: the edited text, or nothing on Cancel.
    virtual std::optional<std::string> InputBox(std::string_view caption, std::string_view prompt,
                                                std::string_view defaultText) = 0;
    // The chosen file's path, or nothing when the user cancels.
    virtual std::optional<std::string> SaveFileDialog(const TSaveDialogOptions& options) = 0;

    virtual TCursor Cursor() const = 0;
    virtual void SetCursor(TCursor cursor) = 0;

    // Handles the window messages waiting now, then the work posted to the window thread.
    virtual void ProcessMessages() = 0;
    virtual void Sleep(int milliseconds) = 0;

    // Asks the application to end: the event loop stops once the current handler returns.
    virtual void Terminate() = 0;
    virtual bool Terminated() const = 0;
    // Ends the program at once with the exit code (a quit seen inside a wait loop).
    [[noreturn]] virtual void Halt(int exitCode) = 0;
    virtual void Minimize() = 0;

    // Opens a web address with the desktop's handler; puts a text on the clipboard.
    virtual void OpenURL(std::string_view url) = 0;
    virtual void CopyToClipboard(std::string_view text) = 0;

    // Runs the event loop until the application is asked to end.
    virtual void RunEventLoop() = 0;

    virtual std::unique_ptr<IUtilityWindow> NewUtilityWindow(IUtilityWindowEvents& events) = 0;
    virtual std::unique_ptr<IWaitConnectView> NewWaitConnectView(IWaitConnectEvents& events) = 0;
    virtual std::unique_ptr<ISQLWarningView> NewSQLWarningView(ISQLWarningEvents& events) = 0;
    virtual std::unique_ptr<IConfirmBackupView> NewConfirmBackupView(IConfirmBackupEvents& events) = 0;
};

// The toolkit in place. EInvalidOperation when none has been put in place.
IToolkit& Toolkit();
// Puts a toolkit in place (nullptr: none) and returns the previous one.
std::shared_ptr<IToolkit> SetToolkit(std::shared_ptr<IToolkit> toolkit);

} // namespace tarnwick::ui
