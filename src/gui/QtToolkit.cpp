#include "gui/QtToolkit.h"

#include "gui/QtDialogs.h"
#include "gui/QtMessageBox.h"
#include "gui/QtSQLWarningView.h"
#include "gui/QtText.h"
#include "gui/QtUtilityWindow.h"
#include "gui/QtWaitConnectView.h"
#include "platform/core/Exceptions.h"
#include "platform/core/MainThreadQueue.h"
#include "platform/ui/ApplicationErrors.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace tarnwick::gui {

namespace {

Qt::CursorShape ShapeOf(ui::TCursor cursor)
{
    switch (cursor) {
    case ui::TCursor::crDefault:
        return Qt::ArrowCursor;
    case ui::TCursor::crHourGlass:
        return Qt::WaitCursor;
    case ui::TCursor::crAppStart:
        return Qt::BusyCursor;
    }
    return Qt::ArrowCursor;
}

void RunPostedWorkGuarded()
{
    ui::CallGuarded([] { RunPostedWork(); });
}

[[noreturn]] void ThrowNotBuilt(const char* window)
{
    throw EInvalidOperation(std::string("The ") + window + " window has no Qt implementation yet");
}

} // namespace

TQtToolkit::TQtToolkit() : postedWork_(std::make_unique<QTimer>())
{
    postedWork_->setInterval(10);
    QObject::connect(postedWork_.get(), &QTimer::timeout, [] { RunPostedWorkGuarded(); });
    postedWork_->start();
}

TQtToolkit::~TQtToolkit()
{
    if (cursor_ != ui::TCursor::crDefault) QApplication::restoreOverrideCursor();
}

void TQtToolkit::SetApplicationTitle(std::string_view title) { title_ = title; }

ui::TModalResult TQtToolkit::MessageBox(const ui::TMessageBoxRequest& request)
{
    return ShowQtMessageBox(request);
}

std::optional<std::string> TQtToolkit::InputBox(std::string_view caption, std::string_view prompt,
                                                std::string_view defaultText)
{
    return ShowQtInputBox(caption, prompt, defaultText);
}

std::optional<std::string> TQtToolkit::SaveFileDialog(const ui::TSaveDialogOptions& options)
{
    return ShowQtSaveDialog(options);
}

void TQtToolkit::SetCursor(ui::TCursor cursor)
{
    // One override cursor at most, so restoring it once brings the arrow back.
    if (cursor == cursor_) return;
    if (cursor_ == ui::TCursor::crDefault)
        QApplication::setOverrideCursor(ShapeOf(cursor));
    else if (cursor == ui::TCursor::crDefault)
        QApplication::restoreOverrideCursor();
    else
        QApplication::changeOverrideCursor(ShapeOf(cursor));
    cursor_ = cursor;
}

void TQtToolkit::ProcessMessages()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    RunPostedWorkGuarded();
}

void TQtToolkit::Sleep(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void TQtToolkit::Terminate()
{
    terminated_ = true;
    QCoreApplication::exit(0);
}

void TQtToolkit::Halt(int exitCode) { std::exit(exitCode); }

void TQtToolkit::Minimize()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible()) widget->showMinimized();
}

void TQtToolkit::OpenURL(std::string_view url) { QDesktopServices::openUrl(QUrl(ToQString(url))); }

void TQtToolkit::CopyToClipboard(std::string_view text)
{
    QGuiApplication::clipboard()->setText(ToQString(text));
}

void TQtToolkit::RunEventLoop()
{
    if (!terminated_) QApplication::exec();
}

std::unique_ptr<ui::IUtilityWindow> TQtToolkit::NewUtilityWindow(ui::IUtilityWindowEvents& events)
{
    return NewQtUtilityWindow(events);
}

std::unique_ptr<ui::IWaitConnectView> TQtToolkit::NewWaitConnectView(ui::IWaitConnectEvents& events)
{
    return NewQtWaitConnectView(events);
}

std::unique_ptr<ui::ISQLWarningView> TQtToolkit::NewSQLWarningView(ui::ISQLWarningEvents& events)
{
    return NewQtSQLWarningView(events);
}

std::unique_ptr<ui::IConfirmBackupView> TQtToolkit::NewConfirmBackupView(ui::IConfirmBackupEvents&)
{
    ThrowNotBuilt("confirm-without-backup");
}

} // namespace tarnwick::gui
