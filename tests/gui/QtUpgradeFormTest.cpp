#include "app/UpgradeForm.h"
#include "gui/QtToolkit.h"
#include "platform/os/FileService.h"
#include "platform/os/Resource.h"
#include "suite/SuiteEnvironment.h"
#include "suite/TaxSuiteStatus.h"
#include "support/OsSandbox.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace tarnwick {
namespace {

// The utility window drawn by Qt, with an empty script so showing it needs no server.
class QtUpgradeFormTest : public ::testing::Test {
protected:
    QtUpgradeFormTest()
    {
        ResetSuiteEnvironment();
        InitialiseSuiteEnvironment();
        auto resources = std::make_shared<os::TMemoryResources>();
        resources->Entries["SQLScript"] = "";
        previousResources_ = os::SetRawResources(resources);
    }
    ~QtUpgradeFormTest() override
    {
        os::SetRawResources(previousResources_);
        ui::SetToolkit(previousToolkit_);
        ResetSuiteStatus();
        ResetSuiteEnvironment();
    }

    static QWidget* FormWidget()
    {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->isVisible() && widget->findChild<QPlainTextEdit*>()) return widget;
        return nullptr;
    }
    static QPushButton* Button(QWidget* form, const QString& text)
    {
        for (QPushButton* button : form->findChildren<QPushButton*>())
            if (button->text() == text) return button;
        return nullptr;
    }

    test::OsSandbox os_;
    std::shared_ptr<os::IRawResources> previousResources_;
    std::shared_ptr<gui::TQtToolkit> toolkit_ = std::make_shared<gui::TQtToolkit>();
    std::shared_ptr<ui::IToolkit> previousToolkit_ = ui::SetToolkit(toolkit_);
};

TEST_F(QtUpgradeFormTest, WindowHasItsCaptionSizeAndControls)
{
    TUpgradeForm form;
    form.Window().Show();
    QWidget* widget = FormWidget();
    ASSERT_NE(widget, nullptr);

    EXPECT_EQ(widget->windowTitle(), "Vexholm Taxation Utility");
    EXPECT_EQ(widget->size(), QSize(588, 440));
    EXPECT_EQ(widget->minimumSize(), widget->maximumSize());
    EXPECT_FALSE(widget->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(widget->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(widget->font().family(), "Tahoma");
    EXPECT_EQ(widget->font().pointSize(), 8);

    auto* messages = widget->findChild<QPlainTextEdit*>();
    EXPECT_TRUE(messages->isReadOnly());
    EXPECT_EQ(messages->font().family(), "Arial");
    EXPECT_EQ(messages->font().pointSize(), 10);
    EXPECT_EQ(messages->toPlainText().split('\n').first(),
              "Welcome to the Vexholm Taxation Utility program.");

    QPushButton* run = Button(widget, "&Run");
    QPushButton* close = Button(widget, "Close");
    ASSERT_NE(run, nullptr);
    ASSERT_NE(close, nullptr);
    EXPECT_TRUE(run->isEnabled()); // the (empty) script loaded
    EXPECT_TRUE(close->isEnabled());
    EXPECT_LT(run->geometry().x(), close->geometry().x());
}

TEST_F(QtUpgradeFormTest, EscapeInTheMessageAreaClosesEvenWithCloseDisabled)
{
    TUpgradeForm form;
    form.Window().Show();
    QWidget* widget = FormWidget();
    ASSERT_NE(widget, nullptr);
    Button(widget, "Close")->setEnabled(false);

    QTest::keyClick(widget->findChild<QPlainTextEdit*>(), Qt::Key_Escape);

    EXPECT_FALSE(widget->isVisible());
    EXPECT_TRUE(toolkit_->Terminated());
    EXPECT_FALSE(os::Files().FileExists(form.LogWriter->FileName()));
}

TEST_F(QtUpgradeFormTest, TheMessageAreaIsNoTabStopButKeepsItsOwnKeys)
{
    TUpgradeForm form;
    form.Window().Show();
    QWidget* widget = FormWidget();
    ASSERT_NE(widget, nullptr);
    auto* messages = widget->findChild<QPlainTextEdit*>();

    EXPECT_EQ(messages->focusPolicy(), Qt::ClickFocus);
    QTest::keyClick(messages, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(messages->textCursor().hasSelection()); // ready to copy
    QTest::keyClick(messages, Qt::Key_X);
    EXPECT_TRUE(widget->isVisible());
}

} // namespace
} // namespace tarnwick
