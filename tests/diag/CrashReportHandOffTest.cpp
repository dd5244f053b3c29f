#include "diag/CrashReportHandOff.h"
#include "diag/CrashReportEngine.h"
#include "platform/core/Exceptions.h"
#include "platform/os/FileService.h"
#include "support/ScriptedToolkit.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace tarnwick;

namespace {

constexpr auto FirstOption = TExceptionDialogOption::edoShowExceptionDialog;

class CrashReportHandOff : public ::testing::Test {
protected:
    CrashReportHandOff()
    {
        ResetCrashReportEngine();
        CrashReportEngine().SetLogFolder(folder.Path().string() + "/");
        CrashReportEngine().SetEmailSendMode(TEmailSendMode::esmSMTPServer);
    }
    ~CrashReportHandOff() override { ResetCrashReportEngine(); }

    // Hands an EOleException over from inside its handler, as the window's handlers do.
    bool HandOver(bool withDialog)
    {
        try {
            throw EOleException("Invalid object name 'KQ99'.");
        } catch (...) {
            return ReportCurrentException(withDialog);
        }
    }

    std::string ReportFile() { return os::Files().ReadText(CrashReportEngine().ReportFilePath()); }
    bool ReportFileExists() { return os::Files().FileExists(CrashReportEngine().ReportFilePath()); }

    test::TempFolder folder;
    test::ScopedScriptedToolkit toolkit;
};

} // namespace

TEST_F(CrashReportHandOff, InactiveEngineTakesNothingInEitherForm)
{
    CrashReportEngine().SetActive(false);
    EXPECT_FALSE(HandOver(false));
    EXPECT_FALSE(HandOver(true));
    EXPECT_FALSE(ReportFileExists());
    EXPECT_TRUE(CrashReportEngine().DialogOption(FirstOption));
    EXPECT_EQ(CrashReportEngine().EmailSendMode(), TEmailSendMode::esmSMTPServer);
    EXPECT_TRUE(toolkit->Dialogs().empty());
}

TEST_F(CrashReportHandOff, SilentFormRecordsWithoutDialogAndRestoresTheSettings)
{
    bool reportingSeen = false;
    TEmailSendMode modeSeen = TEmailSendMode::esmSMTPServer;
    CrashReportEngine().SetOnNotify([&](const std::exception_ptr&, bool&) {
        reportingSeen = Reporting();
        modeSeen = CrashReportEngine().EmailSendMode();
    });

    EXPECT_FALSE(HandOver(false));

    EXPECT_TRUE(reportingSeen);
    EXPECT_EQ(modeSeen, TEmailSendMode::esmNoSend);
    EXPECT_FALSE(Reporting());
    EXPECT_TRUE(CrashReportEngine().DialogOption(FirstOption));
    EXPECT_EQ(CrashReportEngine().EmailSendMode(), TEmailSendMode::esmSMTPServer);
    EXPECT_TRUE(toolkit->Dialogs().empty());
    const std::string report = ReportFile();
    EXPECT_NE(report.find("EOleException"), std::string::npos) << report;
    EXPECT_NE(report.find("Invalid object name 'KQ99'."), std::string::npos) << report;
}

TEST_F(CrashReportHandOff, DialogFormAnswersWhetherTheEngineShowedItsDialog)
{
    EXPECT_TRUE(HandOver(true));
    ASSERT_EQ(toolkit->Boxes().size(), 1u);
    EXPECT_EQ(toolkit->Boxes()[0].Kind, ui::TMsgDlgType::mtError);
    EXPECT_EQ(toolkit->Boxes()[0].Text, "EOleException : Invalid object name 'KQ99'.");

    CrashReportEngine().SetDialogOption(FirstOption, false);
    EXPECT_FALSE(HandOver(true));
    EXPECT_EQ(toolkit->Boxes().size(), 1u);
}

TEST_F(CrashReportHandOff, EngineFailureStillClearsTheFlagAndRestoresTheOption)
{
    CrashReportEngine().SetOnNotify([](const std::exception_ptr&, bool&) { throw EInOutError("disk full"); });
    EXPECT_THROW(HandOver(false), EInOutError);
    EXPECT_FALSE(Reporting());
    EXPECT_TRUE(CrashReportEngine().DialogOption(FirstOption));
    EXPECT_EQ(CrashReportEngine().EmailSendMode(), TEmailSendMode::esmSMTPServer);
}

TEST_F(CrashReportHandOff, NothingToReportOutsideAHandler)
{
    EXPECT_FALSE(ReportCurrentException(false));
    EXPECT_FALSE(ReportCurrentException(true));
    EXPECT_FALSE(ReportFileExists());
}

TEST_F(CrashReportHandOff, ReportFileIsNamedInTheLogFoldersOwnStyle)
{
    CrashReportEngine().SetLogFolder(folder.Path().string());
    EXPECT_EQ(CrashReportEngine().ReportFilePath(), folder.Path().string() + "/CrashReports.txt");
    CrashReportEngine().SetLogFolder("\\\\SRV01\\VexholmTaxationShareDir\\Logs");
    EXPECT_EQ(CrashReportEngine().ReportFilePath(),
              "\\\\SRV01\\VexholmTaxationShareDir\\Logs\\CrashReports.txt");
    CrashReportEngine().SetLogFolder(folder.Path().string());
    HandOver(false);
    EXPECT_TRUE(std::filesystem::exists(folder.Path() / TCrashReportEngine::ReportFileName));
}

TEST_F(CrashReportHandOff, NotificationCanKeepAnErrorFromTheEngine)
{
    CrashReportEngine().SetOnNotify([](const std::exception_ptr&, bool& handled) { handled = false; });
    HandOver(true);
    EXPECT_FALSE(ReportFileExists());
    EXPECT_TRUE(toolkit->Dialogs().empty());
}
