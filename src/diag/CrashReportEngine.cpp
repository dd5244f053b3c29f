#include "diag/CrashReportEngine.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Format.h"
#include "platform/core/Strings.h"
#include "platform/os/FileService.h"
#include "platform/os/MachineIdentity.h"
#include "platform/os/PathMapper.h"
#include "platform/os/SystemFolders.h"
#include "platform/ui/Toolkit.h"

#include <memory>
#include <utility>

namespace tarnwick {

namespace {
std::unique_ptr<TCrashReportEngine>& Instance()
{
    static auto engine = std::make_unique<TCrashReportEngine>();
    return engine;
}

unsigned Bit(TExceptionDialogOption option) { return 1u << static_cast<unsigned>(option); }
} // namespace

TCrashReportEngine& CrashReportEngine() { return *Instance(); }

void ResetCrashReportEngine() { Instance() = std::make_unique<TCrashReportEngine>(); }

bool TCrashReportEngine::DialogOption(TExceptionDialogOption option) const
{
    return (dialogOptions_ & Bit(option)) != 0;
}

void TCrashReportEngine::SetDialogOption(TExceptionDialogOption option, bool set)
{
    dialogOptions_ = set ? (dialogOptions_ | Bit(option)) : (dialogOptions_ & ~Bit(option));
}

std::string TCrashReportEngine::DialogText(int number) const
{
    const auto it = dialogTexts_.find(number);
    return it == dialogTexts_.end() ? std::string() : it->second;
}

std::string TCrashReportEngine::ReportFilePath() const
{
    const std::string folder = logFolder_.empty() ? os::SpecialFolders().TempFolder() : logFolder_;
    return os::IncludeTrailingPathDelimiter(folder) + ReportFileName;
}

TCrashReport TCrashReportEngine::MakeReport(const std::exception_ptr& error) const
{
    TCrashReport report;
    report.Time = Now();
    report.ClassName = ClassNameOf(error);
    report.Message = MessageOf(error);
    report.ComputerName = os::MachineIdentity().ComputerName();
    report.UserName = os::MachineIdentity().UserName();
    return report;
}

void TCrashReportEngine::Record(const TCrashReport& report) const
{
    std::string text = "[" + DateTimeToStr(report.Time) + "] " + report.ClassName + "\r\n";
    for (const auto& line : SplitLines(report.Message)) text += "  " + line + "\r\n";
    text += Format("  Computer: %s, User: %s\r\n\r\n", {report.ComputerName, report.UserName});
    os::Files().AppendText(ReportFilePath(), text);
}

void TCrashReportEngine::ShowDialog(const TCrashReport& report, const std::string& customMessage) const
{
    ui::TMessageBoxRequest request;
    request.Kind = ui::TMsgDlgType::mtError;
    request.LiteralText = true;
    const std::string caption = DialogText(2);
    if (!caption.empty()) request.Caption = caption;
    request.Text = customMessage.empty() ? report.ClassName + " : " + report.Message : customMessage;
    ui::Toolkit().MessageBox(request);
}

void TCrashReportEngine::ProcessException(const std::exception_ptr& error)
{
    if (!active_ || !error) return;
    bool handled = true;
    if (notify_) notify_(error, handled);
    if (!handled) return;
    const TCrashReport report = MakeReport(error);
    // The custom message belongs to this one report.
    const std::string custom = std::exchange(customMessage_, std::string());
    Record(report);
    if (DialogOption(TExceptionDialogOption::edoShowExceptionDialog)) ShowDialog(report, custom);
}

} // namespace tarnwick
