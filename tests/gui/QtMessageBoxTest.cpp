#include "app/CommonDialogs.h"
#include "gui/QtTestSupport.h"
#include "platform/ui/Toolkit.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace tarnwick {
namespace {

using test::WhenModal;

struct TSeenBox {
    QString Title;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QString Text;
    QStringList Buttons;
    QString Default;
};

// Shows a box, notes what it shows, then presses the key and returns the answer.
template <typename Show> ui::TModalResult ShowAndPress(Show show, Qt::Key key, TSeenBox& seen)
{
    WhenModal([&seen, key](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        seen.Title = box->windowTitle();
        seen.Icon = box->icon();
        seen.Text = box->text();
        for (QAbstractButton* button : box->buttons()) seen.Buttons << button->text();
        if (QPushButton* byDefault = box->defaultButton()) seen.Default = byDefault->text();
        QTest::keyClick(box, key);
    });
    return show();
}

TEST(QtMessageBoxTest, FourKindsWithTheirCaptionsIconsAndButtons)
{
    struct TCase {
        std::function<ui::TModalResult()> Show;
        QString Title;
        QMessageBox::Icon Icon;
        QStringList Buttons;
    };
    const TCase cases[] = {
        {[] { return ShowWarningBox("w"); }, "Warning", QMessageBox::Warning, {"OK"}},
        {[] { return ShowErrorBox("e"); }, "Error", QMessageBox::Critical, {"OK"}},
        {[] { return ShowInfoBox("i"); }, "Information", QMessageBox::Information, {"OK"}},
        {[] { return AskYesNoCancel("c"); }, "Confirm", QMessageBox::Question, {"&Yes", "&No", "Cancel"}},
    };
    for (const TCase& c : cases) {
        TSeenBox seen;
        ShowAndPress(c.Show, Qt::Key_Escape, seen);
        EXPECT_EQ(seen.Title, c.Title);
        EXPECT_EQ(seen.Icon, c.Icon) << seen.Title.toStdString();
        QStringList buttons = seen.Buttons;
        buttons.sort();
        QStringList expected = c.Buttons;
        expected.sort();
        EXPECT_EQ(buttons, expected) << seen.Title.toStdString();
    }
}

TEST(QtMessageBoxTest, HelpContextAddsHelpButton)
{
    TSeenBox seen;
    ShowAndPress([] { return ShowErrorBox("e", 42); }, Qt::Key_Escape, seen);
    EXPECT_TRUE(seen.Buttons.contains("&Help"));
    EXPECT_TRUE(seen.Buttons.contains("OK"));
}

TEST(QtMessageBoxTest, EscapeAnswersCancelElseNoElseOk)
{
    TSeenBox seen;
    EXPECT_EQ(ShowAndPress([] { return AskYesNoCancel("q"); }, Qt::Key_Escape, seen), ui::mrCancel);
    EXPECT_EQ(ShowAndPress([] { return AskYesNo("q"); }, Qt::Key_Escape, seen), ui::mrNo);
    EXPECT_EQ(ShowAndPress([] { return ShowInfoBox("q"); }, Qt::Key_Escape, seen), ui::mrOk);
}

TEST(QtMessageBoxTest, EnterPressesOkElseYes)
{
    TSeenBox seen;
    EXPECT_EQ(ShowAndPress([] { return AskYesNoCancel("q"); }, Qt::Key_Return, seen), ui::mrYes);
    EXPECT_EQ(seen.Default, "&Yes");
    EXPECT_EQ(ShowAndPress([] { return AskYesNo("q"); }, Qt::Key_Return, seen), ui::mrYes);
    ui::TMessageBoxRequest okCancel;
    okCancel.Kind = ui::TMsgDlgType::mtConfirmation;
    okCancel.Buttons = {ui::TMsgDlgBtn::mbOK, ui::TMsgDlgBtn::mbCancel, ui::TMsgDlgBtn::mbYes};
    EXPECT_EQ(ShowAndPress([&] { return ui::Toolkit().MessageBox(okCancel); }, Qt::Key_Return, seen),
              ui::mrOk);
    EXPECT_EQ(seen.Default, "OK");
}

TEST(QtMessageBoxTest, SingleAmpersandShowsOnce)
{
    TSeenBox seen;
    WhenModal([&seen](QWidget* modal) {
        for (const QLabel* label : modal->findChildren<QLabel*>())
            if (label->text().contains("a ")) seen.Text = label->text();
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    ShowInfoBox("a & b");
    EXPECT_EQ(seen.Text, "a & b");
}

TEST(QtMessageBoxTest, LiteralTextAndOwnCaptionShowAsTheyStand)
{
    ui::TMessageBoxRequest box;
    box.Kind = ui::TMsgDlgType::mtError;
    box.Caption = "Tarnwick";
    box.Text = "R&D && more";
    box.LiteralText = true;
    TSeenBox seen;
    ShowAndPress([&] { return ui::Toolkit().MessageBox(box); }, Qt::Key_Escape, seen);
    EXPECT_EQ(seen.Title, "Tarnwick");
    EXPECT_EQ(seen.Text, "R&D && more");
}

TEST(QtMessageBoxTest, WindowsTextReachesTheScreenAsUnicode)
{
    TSeenBox seen;
    ShowAndPress(
        [] {
            return ShowInfoBox("\x96 \xA3"
                               "5");
        },
        Qt::Key_Escape, seen);
    EXPECT_EQ(seen.Text, QString::fromUtf8("\u2013 \u00A35"));
}

} // namespace
} // namespace tarnwick
