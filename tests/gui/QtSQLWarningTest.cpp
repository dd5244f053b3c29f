#include "db/HelpCentre.h"
#include "db/SQLWarning.h"
#include "gui/QtTestSupport.h"
#include "gui/URLLabel.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace tarnwick {
namespace {

using test::WhenModal;

struct TSeenState {
    QString Caption;
    bool DetailsShown = false;
    int Height = 0;
};

TSeenState SeenOf(QDialog* dialog)
{
    return {dialog->findChild<QPushButton*>("btnDetail")->text(),
            dialog->findChild<QWidget*>("pnlDetails")->isVisible(), dialog->height()};
}

TEST(QtSQLWarningTest, DetailsFoldToTheTopAndButtonPanelsAndOpenToThreeTopPanels)
{
    QString title;
    QStringList details;
    std::vector<TSeenState> states;
    bool detailIsDefault = false;
    int top = 0, buttons = 0;
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        details = dialog->findChild<QTextEdit*>("errorDetail")->toPlainText().split('\n');
        top = dialog->findChild<QWidget*>("pnlTop")->height();
        buttons = dialog->findChild<QWidget*>("pnlButtons")->height();
        auto* detail = dialog->findChild<QPushButton*>("btnDetail");
        detailIsDefault = detail->isDefault();
        states.push_back(SeenOf(dialog));
        QTest::mouseClick(detail, Qt::LeftButton);
        states.push_back(SeenOf(dialog));
        QTest::mouseClick(detail, Qt::LeftButton);
        states.push_back(SeenOf(dialog));
        QTest::mouseClick(dialog->findChild<QPushButton*>("btnOK"), Qt::LeftButton);
    });
    ShowSQLWarning("[DBNETLIB][ConnectionOpen (Connect()).]SQL Server does not exist or access denied.\r\n"
                   "General network error.");

    EXPECT_EQ(title, "Warning");
    EXPECT_EQ(details, (QStringList{"The following error has occured:", "", "",
                                    "[DBNETLIB][ConnectionOpen (Connect()).]SQL Server does not exist or "
                                    "access denied.",
                                    "General network error."}));
    EXPECT_TRUE(detailIsDefault);
    ASSERT_GT(top, 0);
    ASSERT_GT(buttons, 0);
    ASSERT_EQ(states.size(), 3u);
    EXPECT_EQ(states[0].Caption, "&Details >>");
    EXPECT_FALSE(states[0].DetailsShown);
    EXPECT_EQ(states[0].Height, top + buttons);
    EXPECT_EQ(states[1].Caption, "&Details <<");
    EXPECT_TRUE(states[1].DetailsShown);
    EXPECT_EQ(states[1].Height, 3 * top);
    EXPECT_EQ(states[2].Caption, "&Details >>");
    EXPECT_FALSE(states[2].DetailsShown);
    EXPECT_EQ(states[2].Height, top + buttons);
}

TEST(QtSQLWarningTest, AdviceLinesAndHyperlinks)
{
    QStringList texts;
    QString help, helpURL, helpHint, contact, contactURL;
    bool contactFollowsLead = false;
    WhenModal([&](QWidget* modal) {
        for (QLabel* label : modal->findChildren<QLabel*>())
            if (!label->text().isEmpty()) texts << label->text();
        auto* helpLink = modal->findChild<gui::TURLLabel*>("lblHelpCentre");
        auto* contactLink = modal->findChild<gui::TURLLabel*>("lblContact");
        help = helpLink->text();
        helpURL = QString::fromStdString(helpLink->URL());
        helpHint = helpLink->toolTip();
        contact = contactLink->text();
        contactURL = QString::fromStdString(contactLink->URL());
        for (QLabel* label : modal->findChildren<QLabel*>())
            if (label->text().startsWith("If you are still unable"))
                contactFollowsLead =
                    label->geometry().right() + 1 >= contactLink->x() - 4 && label->y() == contactLink->y();
        qobject_cast<QDialog*>(modal)->accept();
    });
    ShowSQLWarning("Login failed for user 'TaxSoft'.");

    EXPECT_TRUE(texts.contains("The software is unable to connect to your SQL database."));
    EXPECT_TRUE(texts.contains("1. This may be a temporary problem.  Click OK to close the software and try "
                               "opening it again."));
    EXPECT_TRUE(
        texts.contains("2. If the problem recurs, see the" + QString(22, ' ') + "for further details."));
    EXPECT_TRUE(texts.contains(
        "If you are still unable to connect after following the advice in the Help Centre article, "));
    EXPECT_EQ(help, "Help Centre");
    EXPECT_EQ(helpURL, SQLConnectionHelpURL);
    EXPECT_EQ(helpHint, QString(SQLConnectionHelpURL) + " (Right click to copy this link.)");
    EXPECT_EQ(contact, "contact us here.");
    EXPECT_EQ(contactURL, ContactUsURL);
    EXPECT_TRUE(contactFollowsLead);
}

} // namespace
} // namespace tarnwick
