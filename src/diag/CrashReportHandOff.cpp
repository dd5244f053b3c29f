#include "diag/CrashReportHandOff.h"

#include "diag/CrashReportEngine.h"
#include "platform/core/ScopeGuard.h"

#include <exception>

namespace tarnwick {

namespace {
bool reporting = false;
}

bool Reporting() { return reporting; }

bool ReportCurrentException(bool withDialog)
{
    TCrashReportEngine& engine = CrashReportEngine();
    const std::exception_ptr error = std::current_exception();
    if (!engine.Active() || !error) return false;
    const TEmailSendMode sendMode = engine.EmailSendMode();
    const bool showDialog = engine.DialogOption(TExceptionDialogOption::edoShowExceptionDialog);
    if (withDialog) {
        engine.ProcessException(error);
        return showDialog;
    }
    const ScopeGuard restore([&] {
        reporting = false;
        engine.SetEmailSendMode(sendMode);
        if (showDialog) engine.SetDialogOption(TExceptionDialogOption::edoShowExceptionDialog, true);
    });
    engine.SetEmailSendMode(TEmailSendMode::esmNoSend);
    engine.SetDialogOption(TExceptionDialogOption::edoShowExceptionDialog, false);
    reporting = true;
    engine.ProcessException(error);
    return false;
}

} // namespace tarnwick
