#include "platform/ui/MessageDialog.h"
#include "platform/ui/Accelerators.h"
#include "platform/ui/UtilityWindow.h"

#include <gtest/gtest.h>

namespace tarnwick::ui {
namespace {

using B = TMsgDlgBtn;

TEST(MessageDialogTest, DefaultIsOkElseYesAndEscapeIsCancelElseNoElseOk)
{
    EXPECT_EQ(DefaultButtonOf({B::mbOK}), B::mbOK);
    EXPECT_EQ(DefaultButtonOf({B::mbYes, B::mbNo}), B::mbYes);
    EXPECT_EQ(DefaultButtonOf({B::mbOK, B::mbYes, B::mbCancel}), B::mbOK);
    EXPECT_EQ(DefaultButtonOf({B::mbNo, B::mbCancel}), std::nullopt);
    EXPECT_EQ(EscapeButtonOf({B::mbYes, B::mbNo, B::mbCancel}), B::mbCancel);
    EXPECT_EQ(EscapeButtonOf({B::mbYes, B::mbNo}), B::mbNo);
    EXPECT_EQ(EscapeButtonOf({B::mbOK, B::mbHelp}), B::mbOK);
    EXPECT_EQ(EscapeButtonOf({B::mbYes, B::mbHelp}), std::nullopt);
}

TEST(MessageDialogTest, CaptionsOfKindsAndButtons)
{
    EXPECT_EQ(StandardCaption(TMsgDlgType::mtConfirmation), "Confirm");
    EXPECT_EQ(StandardCaption(TMsgDlgType::mtCustom), "");
    TMessageBoxRequest box;
    box.Kind = TMsgDlgType::mtWarning;
    EXPECT_EQ(CaptionOf(box), "Warning");
    box.Caption = "Tarnwick";
    EXPECT_EQ(CaptionOf(box), "Tarnwick");
    EXPECT_EQ(ButtonCaption(B::mbYes), "&Yes");
    EXPECT_EQ(ButtonCaption(B::mbHelp), "&Help");
    EXPECT_EQ(ModalResultOf(B::mbNo), mrNo);
}

TEST(AcceleratorsTest, DoubledAmpersandShowsOnceAndSingleOneMarksTheKey)
{
    EXPECT_EQ(DisplayTextOf("a && b"), "a & b");
    EXPECT_EQ(DisplayTextOf("&Yes"), "Yes");
    EXPECT_EQ(DisplayTextOf("&&&&"), "&&");
    EXPECT_EQ(DisplayTextOf("end&"), "end");
}

TEST(MessageAreaTest, TextBreaksAtEachCrLf)
{
    EXPECT_EQ(MessageAreaLinesOf(""), (TStringList{""}));
    EXPECT_EQ(MessageAreaLinesOf("a\r\nb"), (TStringList{"a", "b"}));
    EXPECT_EQ(MessageAreaLinesOf("a\r\n"), (TStringList{"a", ""}));
    EXPECT_EQ(MessageAreaLinesOf("a\nb\r"), (TStringList{"a\nb\r"}));
}

} // namespace
} // namespace tarnwick::ui
