#include "app/UpgradeForm.h"
#include "db/TaxModule.h"
#include "platform/os/FileService.h"
#include "platform/os/Resource.h"
#include "platform/sql/sim/SimServer.h"
#include "suite/AppInfo.h"
#include "suite/DisplayVersion.h"
#include "suite/SuiteEnvironment.h"
#include "suite/TaxSuiteStatus.h"
#include "support/ScriptedToolkit.h"
#include "support/SuiteSandboxFixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace tarnwick;

namespace {

using ui::TWindowButton;

// The program started on a simulated suite (server SRV01, three datasets), with the scripted
// toolkit in place of the screen.
class UpgradeFormTest : public ::testing::Test {
protected:
    UpgradeFormTest()
    {
        // The connection test waits for the simulated server in real time, as a person would.
        toolkit->OnSleep(
            [](int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); });
        ResetSuiteEnvironment();
        InitialiseSuiteEnvironment();
        FinaliseAppInfo();
        InitialiseAppInfo();
    }
    ~UpgradeFormTest() override
    {
        ReleaseTaxModule();
        ResetVersionSuffix();
        ResetSuiteStatus();
        ResetSuiteEnvironment();
        FinaliseAppInfo();
        os::SetRawResources(previousResources);
    }

    // The program carries this script instead of the built-in one.
    void UseScript(const TStringList& lines)
    {
        auto resources = std::make_shared<os::TMemoryResources>();
        resources->Entries["SQLSCRIPT"] = LinesText(lines);
        os::SetRawResources(resources);
    }

    // Makes the window and shows it, which loads and scans the script.
    std::unique_ptr<TUpgradeForm> ShowForm()
    {
        auto form = std::make_unique<TUpgradeForm>();
        form->Window().Show();
        return form;
    }

    sql::sim::TSimServer Server() { return sql::sim::TSimServer(suite->DataSource(), suite->SimRoot()); }

    test::ScopedSuiteSandbox suite;
    test::ScopedScriptedToolkit toolkit;
    std::shared_ptr<os::IRawResources> previousResources = os::SetRawResources(nullptr);
};

} // namespace

TEST_F(UpgradeFormTest, StartsWithItsInitialTextAndRunDisabled)
{
    TUpgradeForm form;
    EXPECT_EQ(form.Window().Caption(), "Vexholm Taxation Utility");
    EXPECT_EQ(form.Window().MessageLines(), InitialMessageLines());
    EXPECT_FALSE(form.Window().ButtonEnabled(TWindowButton::btnUpdate));
    EXPECT_TRUE(form.Window().ButtonEnabled(TWindowButton::btnClose));
    EXPECT_EQ(form.LogWriter->FileName(), "\\\\SRV01\\VexholmTaxationShareDir\\Logs\\Tarnwick.log");
    EXPECT_TRUE(form.CheckUsers);
    EXPECT_FALSE(form.RunAgainstDatasets);
}

TEST_F(UpgradeFormTest, TheBuiltInScriptShowsItsTitleAndDescription)
{
    const auto form = ShowForm();

    EXPECT_EQ(form->Window().Caption(), " Vexholm Taxation - Remove Special Case 60 - 2025 R2");
    const TStringList expected = {"This update includes:",
                                  "",
                                  "\x96 Removal of Special Case 60 which is blocking filing.",
                                  "",
                                  "You must run this utility on the server.",
                                  "",
                                  "To apply this update:",
                                  "",
                                  InitialMessageLines()[2],
                                  InitialMessageLines()[3],
                                  "",
                                  "2)  Click Run to begin."};
    EXPECT_EQ(form->Window().MessageLines(), expected);
    EXPECT_TRUE(form->Window().ButtonEnabled(TWindowButton::btnUpdate));
    EXPECT_EQ(form->ScriptLines.size(), 32u);
    EXPECT_TRUE(form->CheckUsers);
    EXPECT_FALSE(form->NoBackup);
    EXPECT_TRUE(form->FullVersion.empty());
    // Showing the window opened the module and its connection test, and wrote no log.
    EXPECT_FALSE(os::Files().FileExists(form->LogWriter->FileName()));
}

TEST_F(UpgradeFormTest, EveryDirectiveSetsItsRunSetting)
{
    UseScript({
        "PRINT '[TITLE] Tool [VERSION]'",
        "PRINT '[DESC]'",
        "PRINT '[DESC] First for [version]'",
        "PRINT '[DESC] '",
        "PRINT '[FULL-VERSION-UPDATE] 28.1.16.9999'",
        "PRINT '[FULL-VERSION-UPDATE]=28.2.0.1'",
        "PRINT '[RESTRICTED-VERSIONS]=28.0.11,28.1.0'",
        "PRINT '[FRIENDLY-RESTRICTION]=2025 R1 or R2'",
        "PRINT '[NOBACKUP] and [SAVETOFILE]'",
        "PRINT '[FIXESBROKEN]'",
        "PRINT '[NOQUERY]'",
        "PRINT '[Title] not a directive'",
        "PRINT '[RUN_AGAINST_DATASETS]=3 ; 7'",
        "PRINT '[RUN_AGAINST_DATASETS]=1'",
        "PRINT '[PROMPT]|##YEAR##|;|Tax year|;|Enter the tax year|;|2025|'",
        "PRINT '[NOLOGOUT]'",
        "UPDATE T SET Y=##YEAR##",
    });
    const auto form = ShowForm();

    EXPECT_EQ(form->Window().Caption(), " Tool 2025 R");
    EXPECT_EQ(form->Window().MessageLines(),
              (TStringList{"First for 2025 R", "", "", "Click Run to begin.", ""}));
    EXPECT_FALSE(form->CheckUsers);
    EXPECT_EQ(form->FullVersion, "28.2.0.1");
    EXPECT_EQ(form->RestrictedVersions, "28.0.11,28.1.0");
    EXPECT_EQ(form->FriendlyRestriction, "2025 R1 or R2");
    EXPECT_TRUE(form->NoBackup);
    EXPECT_TRUE(form->SaveResultsToFile);
    EXPECT_TRUE(form->FixesBroken);
    EXPECT_TRUE(form->NoQuery);
    EXPECT_TRUE(form->RunAgainstDatasets);
    EXPECT_EQ(form->DatasetIds, (TStringList{"3", "7", "1"}));
    ASSERT_EQ(form->Prompts.size(), 1u);
    EXPECT_EQ(form->Prompts[0].Placeholder, "##YEAR##");
    EXPECT_EQ(form->Prompts[0].DefaultAnswer, "2025");
    EXPECT_EQ(form->ScriptLines[14], "");
    EXPECT_EQ(form->ScriptLines[0], "PRINT '[TITLE] Tool [VERSION]'");
    EXPECT_TRUE(form->Window().ButtonEnabled(TWindowButton::btnUpdate));
}

TEST_F(UpgradeFormTest, AllSelectsEveryDatasetOfTheCatalogue)
{
    UseScript({"PRINT '[RUN_AGAINST_DATASETS]=3;ALL'"});
    Server().ClearLog();
    const auto form = ShowForm();

    EXPECT_EQ(form->DatasetIds, (TStringList{"1", "2", "3"}));
    bool asked = false;
    for (const auto& entry : Server().Statements())
        asked = asked || (entry.Text == "select DataNumber from KQ22\r\n" && entry.Database == "TaxMaster");
    EXPECT_TRUE(asked);
}

TEST_F(UpgradeFormTest, FailuresLeaveRunDisabledAndSayWhy)
{
    struct TCase {
        TStringList Script;
        TStringList Shown;
    };
    const std::vector<TCase> cases = {
        {{"PRINT '[RUN_AGAINST_DATASETS]='"},
         {"There was an error preparing the script.", "Operation aborted"}},
        {{"PRINT '[PROMPT]|##YEAR##|;|Tax year|'"},
         {"There was an error preparing the script.", "List index out of bounds (3)"}},
    };
    for (const auto& c : cases) {
        UseScript(c.Script);
        const auto form = ShowForm();
        EXPECT_EQ(form->Window().MessageLines(), c.Shown);
        EXPECT_FALSE(form->Window().ButtonEnabled(TWindowButton::btnUpdate));
        EXPECT_TRUE(form->Window().ButtonEnabled(TWindowButton::btnClose));
    }
    const auto boxes = toolkit->Boxes();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes[0].Kind, ui::TMsgDlgType::mtError);
    EXPECT_EQ(boxes[0].Text,
              "Please supply a list of Dataset IDs to process, or specify ALL to process all datasets.");
}

TEST_F(UpgradeFormTest, AMissingScriptLeavesNothingToDo)
{
    os::SetRawResources(std::make_shared<os::TMemoryResources>());
    const auto form = ShowForm();
    EXPECT_EQ(form->Window().MessageLines(), TStringList{"No script has been assigned - Nothing to do."});
    EXPECT_FALSE(form->Window().ButtonEnabled(TWindowButton::btnUpdate));
}

TEST_F(UpgradeFormTest, BatchesRunOnEachDatasetInTurnUntilOneFails)
{
    auto form = std::make_unique<TUpgradeForm>();
    const TStringList script = {"UPDATE KQ01 SET ClientName='Moved' WHERE ClientNumber=1", "GO",
                                "SELECT ClientName FROM KQ01"};
    form->DatasetIds = {"1", "2"};
    GetTaxModule();
    Server().ClearLog();
    form->RunAgainstDatasetBatches(script);

    TStringList sent;
    for (const auto& entry : Server().Statements()) {
        EXPECT_EQ(entry.Login, "TaxHard");
        sent.push_back(entry.Text);
    }
    EXPECT_EQ(sent, (TStringList{"use [TaxData1] UPDATE KQ01 SET ClientName='Moved' WHERE ClientNumber=1\r\n",
                                 "use [TaxData1] SELECT ClientName FROM KQ01\r\n",
                                 "use [TaxData2] UPDATE KQ01 SET ClientName='Moved' WHERE ClientNumber=1\r\n",
                                 "use [TaxData2] SELECT ClientName FROM KQ01\r\n"}));

    form->DatasetIds = {"9", "2"};
    Server().ClearLog();
    toolkit->SetCursor(ui::TCursor::crAppStart);
    EXPECT_ANY_THROW(form->RunAgainstDatasetBatches(script));
    EXPECT_EQ(Server().Statements().size(), 1u);
    EXPECT_EQ(toolkit->Cursor(), ui::TCursor::crAppStart);
}

TEST_F(UpgradeFormTest, EscapeClosesWithoutWritingTheLog)
{
    UseScript({"PRINT '[TITLE] Tool'"});
    const auto form = ShowForm();
    form->Window().SetButtonEnabled(TWindowButton::btnClose, false);
    form->FormKeyPress('\x1b');
    EXPECT_TRUE(toolkit->Window()->Closed);
    EXPECT_FALSE(os::Files().FileExists(form->LogWriter->FileName()));
}
