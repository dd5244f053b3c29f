#include "gui/URLLabel.h"
#include "support/ScriptedToolkit.h"

#include <QTest>
#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(URLLabelTest, StartsAtTheHelpCentreBlueAndUnderlinedWithTheHandCursor)
{
    gui::TURLLabel label;
    EXPECT_EQ(label.Caption(), gui::DefaultHelpCentreURL);
    EXPECT_EQ(label.URL(), gui::DefaultHelpCentreURL);
    EXPECT_TRUE(label.font().underline());
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
}

TEST(URLLabelTest, CaptionFollowsTheAddressOnlyWhileItShowsIt)
{
    gui::TURLLabel label;
    label.SetURL("https://help.vexholm.example.com/a");
    EXPECT_EQ(label.Caption(), "https://help.vexholm.example.com/a");
    EXPECT_EQ(label.Hint(), "https://help.vexholm.example.com/a (Right click to copy this link.)");

    label.SetCaption("Help Centre");
    label.SetHint("own hint");
    label.SetURL("https://help.vexholm.example.com/a");
    EXPECT_EQ(label.Hint(), "own hint");
    label.SetURL("https://help.vexholm.example.com/b");
    EXPECT_EQ(label.Caption(), "Help Centre");
    EXPECT_EQ(label.URL(), "https://help.vexholm.example.com/b");
    EXPECT_EQ(label.Hint(), "https://help.vexholm.example.com/b (Right click to copy this link.)");
}

TEST(URLLabelTest, LeftClickOpensRightClickCopiesOtherButtonsDoNothing)
{
    test::ScopedScriptedToolkit toolkit;
    gui::TURLLabel label;
    label.SetURL("https://www.vexholm.example.com/contact");
    label.resize(200, 20);
    QTest::mouseClick(&label, Qt::MiddleButton);
    EXPECT_TRUE(toolkit->OpenedURLs().empty());
    EXPECT_EQ(toolkit->Clipboard(), "");
    QTest::mouseClick(&label, Qt::LeftButton);
    EXPECT_EQ(toolkit->OpenedURLs(), std::vector<std::string>{"https://www.vexholm.example.com/contact"});
    QTest::mouseClick(&label, Qt::RightButton);
    EXPECT_EQ(toolkit->Clipboard(), "https://www.vexholm.example.com/contact");
    EXPECT_EQ(toolkit->OpenedURLs().size(), 1u);
}

} // namespace
} // namespace tarnwick
