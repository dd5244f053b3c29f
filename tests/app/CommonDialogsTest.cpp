#include "app/CommonDialogs.h"

#include "platform/core/Exceptions.h"
#include "platform/ui/Toolkit.h"
#include "support/ScriptedToolkit.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace tarnwick {
namespace {

using test::ScopedScriptedToolkit;
using ui::TCursor;
using ui::TMsgDlgBtn;

TEST(EscapeAmpersandsTest, DoublesEverySingleAmpersand)
{
    const std::pair<const char*, const char*> cases[] = {
        {"a&b", "a&&b"},   {"a&&b", "a&&b"}, {"&&&", "&&&&"},  {"&", "&&"},
        {"end&", "end&&"}, {"", ""},         {"none", "none"}, {"&a&", "&&a&&"},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(EscapeAmpersands(text), expected) << text;
}

struct TWrapperCase {
    const char* Name;
    TModalResult (*Show)(std::string_view);
    ui::TMsgDlgType Kind;
    const char* Caption;
    TMsgDlgButtons Buttons;
};

TModalResult ErrorBox(std::string_view text) { return ShowErrorBox(text); }

TEST(CommonDialogsTest, WrappersFixKindCaptionAndButtons)
{
    const TWrapperCase cases[] = {
        {"ShowErrorBox", ErrorBox, ui::TMsgDlgType::mtError, "Error", {TMsgDlgBtn::mbOK}},
        {"ShowInfoBox", ShowInfoBox, ui::TMsgDlgType::mtInformation, "Information", {TMsgDlgBtn::mbOK}},
        {"ShowWarningBox", ShowWarningBox, ui::TMsgDlgType::mtWarning, "Warning", {TMsgDlgBtn::mbOK}},
        {"AskYesNo",
         AskYesNo,
         ui::TMsgDlgType::mtConfirmation,
         "Confirm",
         {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}},
        {"AskYesNoCancel",
         AskYesNoCancel,
         ui::TMsgDlgType::mtConfirmation,
         "Confirm",
         {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel}},
    };
    for (const TWrapperCase& c : cases) {
        ScopedScriptedToolkit toolkit;
        if (c.Buttons.Contains(TMsgDlgBtn::mbNo)) toolkit->Answer(ui::mrNo);
        const TModalResult result = c.Show("Tom & Jerry");
        EXPECT_EQ(result, c.Buttons.Contains(TMsgDlgBtn::mbNo) ? ui::mrNo : ui::mrOk) << c.Name;
        ASSERT_EQ(toolkit->Boxes().size(), 1u) << c.Name;
        const test::TRecordedDialog box = toolkit->Boxes()[0];
        EXPECT_EQ(box.Kind, c.Kind) << c.Name;
        EXPECT_EQ(box.Caption, c.Caption) << c.Name;
        EXPECT_EQ(box.Text, "Tom && Jerry") << c.Name;
        EXPECT_EQ(box.Buttons, c.Buttons) << c.Name;
        EXPECT_EQ(box.HelpContext, 0) << c.Name;
    }
}

TEST(CommonDialogsTest, HelpContextAddsTheHelpButton)
{
    ScopedScriptedToolkit toolkit;
    ShowErrorBox("Failed", 1200);
    const test::TRecordedDialog box = toolkit->Boxes().at(0);
    EXPECT_EQ(box.Buttons, (TMsgDlgButtons{TMsgDlgBtn::mbOK, TMsgDlgBtn::mbHelp}));
    EXPECT_EQ(box.HelpContext, 1200);
}

TEST(CommonDialogsTest, MessageBoxShowsTheArrowAndRestoresTheCursor)
{
    ScopedScriptedToolkit toolkit;
    toolkit->SetCursor(TCursor::crHourGlass);
    toolkit->Answer(ui::mrYes);
    EXPECT_EQ(AskYesNo("Continue?"), ui::mrYes);
    EXPECT_EQ(toolkit->Cursor(), TCursor::crHourGlass);
    const TStringList expected = {"Cursor crHourGlass", "Cursor crDefault", "Box Confirm: Continue?",
                                  "Cursor crHourGlass"};
    EXPECT_EQ(toolkit->Trace(), expected);
}

class FailingBoxToolkit : public test::ScriptedToolkit {
public:
    ui::TModalResult MessageBox(const ui::TMessageBoxRequest&) override
    {
        throw EInvalidOperation("no display");
    }
};

TEST(CommonDialogsTest, CursorComesBackWhenTheDialogFails)
{
    auto toolkit = std::make_shared<FailingBoxToolkit>();
    const auto previous = ui::SetToolkit(toolkit);
    toolkit->SetCursor(TCursor::crAppStart);
    EXPECT_THROW(ShowWarningBox("x"), EInvalidOperation);
    EXPECT_EQ(toolkit->Cursor(), TCursor::crAppStart);
    ui::SetToolkit(previous);
}

TEST(CommonDialogsTest, AskYesNoCancelLeavesTheCursorAlone)
{
    ScopedScriptedToolkit toolkit;
    toolkit->SetCursor(TCursor::crHourGlass);
    toolkit->Answer(ui::mrCancel);
    EXPECT_EQ(AskYesNoCancel("Save?"), ui::mrCancel);
    EXPECT_EQ(toolkit->CursorChanges(), (std::vector<TCursor>{TCursor::crHourGlass}));
}

TEST(ScriptedToolkitTest, FailsOnAnUnexpectedQuestionAndOnLeftoverAnswers)
{
    EXPECT_NONFATAL_FAILURE(
        {
            ScopedScriptedToolkit toolkit;
            EXPECT_EQ(AskYesNo("Unscripted?"), ui::mrNo); // Escape's answer stands in
        },
        "Unexpected message box: Unscripted?");
    EXPECT_NONFATAL_FAILURE(
        {
            ScopedScriptedToolkit toolkit;
            toolkit->Answer(ui::mrYes);
        },
        "never asked for");
    EXPECT_NONFATAL_FAILURE(
        {
            ScopedScriptedToolkit toolkit;
            toolkit->AnswerInput("2026");
            AskYesNo("Wrong kind?");
        },
        "where a input box was scripted");
}

} // namespace
} // namespace tarnwick
