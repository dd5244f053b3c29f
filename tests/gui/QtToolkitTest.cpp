#include "gui/QtTestSupport.h"
#include "platform/core/Exceptions.h"
#include "platform/core/MainThreadQueue.h"
#include "platform/ui/ApplicationErrors.h"
#include "platform/ui/Toolkit.h"
#include "support/TempFolder.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace tarnwick {
namespace {

using test::WhenModal;
using ui::Toolkit;
using ui::TWindowButton;

TEST(QtInputBoxTest, OkGivesTheEditedTextCancelGivesNothing)
{
    QString title, label, initial;
    QStringList buttons;
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QInputDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        label = dialog->labelText();
        initial = dialog->textValue();
        for (QPushButton* button : dialog->findChildren<QPushButton*>()) buttons << button->text();
        dialog->findChild<QLineEdit*>()->setText(QStringLiteral("2026"));
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    EXPECT_EQ(Toolkit().InputBox("Tax year", "Enter the tax year", "2025"),
              std::optional<std::string>("2026"));
    EXPECT_EQ(title, "Tax year");
    EXPECT_EQ(label, "Enter the tax year");
    EXPECT_EQ(initial, "2025");
    buttons.sort();
    EXPECT_EQ(buttons, (QStringList{"Cancel", "OK"}));

    WhenModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    EXPECT_EQ(Toolkit().InputBox("Tax year", "Enter the tax year", "2025"), std::nullopt);
}

TEST(QtSaveDialogTest, AddsTheDefaultExtensionAndCancels)
{
    test::TempFolder folder;
    QStringList filters;
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        filters = dialog->nameFilters();
        dialog->setDirectory(QString::fromStdString(folder.Path().string()));
        dialog->selectFile(QStringLiteral("DataExtract"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    const auto chosen = Toolkit().SaveFileDialog({"DataExtract", "Text file|*.csv", "csv"});
    EXPECT_EQ(filters, QStringList{"Text file (*.csv)"});
    EXPECT_EQ(chosen, std::optional<std::string>(folder / "DataExtract.csv"));

    WhenModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    EXPECT_EQ(Toolkit().SaveFileDialog({"DataExtract", "Text file|*.csv", "csv"}), std::nullopt);
}

TEST(QtToolkitTest, PumpDeliversPostedWorkAndCursorComesBack)
{
    int ran = 0;
    PostToMainThread([&] { ++ran; });
    Toolkit().ProcessMessages();
    EXPECT_EQ(ran, 1);

    Toolkit().SetCursor(ui::TCursor::crHourGlass);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    Toolkit().SetCursor(ui::TCursor::crAppStart);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::BusyCursor);
    Toolkit().SetCursor(ui::TCursor::crDefault);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// A form that records what its window reports and can fail on Run.
class RecordingForm : public ui::IUtilityWindowEvents {
public:
    std::vector<std::string> Calls;
    bool FailOnRun = false;
    void FormShow() override { Calls.push_back("FormShow"); }
    void btnUpdateClick() override
    {
        Calls.push_back("btnUpdateClick");
        if (FailOnRun) throw EDatabaseError("Connection failure");
    }
    void btnCloseClick() override { Calls.push_back("btnCloseClick"); }
    void FormKeyPress(char key) override { Calls.push_back("FormKeyPress " + std::to_string(key)); }
};

TEST(QtUtilityWindowTest, MessageAreaButtonsAndCaption)
{
    RecordingForm form;
    auto window = Toolkit().NewUtilityWindow(form);
    window->SetCaption("Vexholm Taxation Utility");
    window->AddMessage("Welcome to the Vexholm Taxation Utility program.");
    window->AddMessage("");
    window->AddMessage("one\r\ntwo");
    window->SetMessageLine(0, "This update includes:");
    EXPECT_EQ(window->MessageLines(), (TStringList{"This update includes:", "", "one", "two"}));
    EXPECT_THROW(window->SetMessageLine(4, "x"), EListError);
    EXPECT_FALSE(window->ButtonEnabled(TWindowButton::btnUpdate));
    EXPECT_TRUE(window->ButtonEnabled(TWindowButton::btnClose));
    window->SetButtonCaption(TWindowButton::btnClose, "Finish");
    EXPECT_EQ(window->ButtonCaption(TWindowButton::btnClose), "Finish");
    EXPECT_EQ(window->ButtonCaption(TWindowButton::btnUpdate), "&Run");
    EXPECT_EQ(window->Caption(), "Vexholm Taxation Utility");

    window->Show();
    auto* memo =
        QApplication::activeWindow() ? QApplication::activeWindow()->findChild<QPlainTextEdit*>() : nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (!memo && top->isVisible()) memo = top->findChild<QPlainTextEdit*>();
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->toPlainText(), "This update includes:\n\none\ntwo");
    window->ClearMessages();
    EXPECT_TRUE(window->MessageLines().empty());
    EXPECT_EQ(memo->toPlainText(), "");
}

TEST(QtUtilityWindowTest, HandlersRunGuardedAndEscapeReachesTheForm)
{
    RecordingForm form;
    form.FailOnRun = true;
    std::vector<std::string> errors;
    const auto previous =
        ui::SetApplicationErrorHandler([&](std::exception_ptr error) { errors.push_back(MessageOf(error)); });
    auto window = Toolkit().NewUtilityWindow(form);
    window->SetButtonEnabled(TWindowButton::btnUpdate, true);
    window->Show();
    QWidget* top = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->findChild<QPlainTextEdit*>()) top = widget;
    ASSERT_NE(top, nullptr);

    QPushButton* run = nullptr;
    for (QPushButton* button : top->findChildren<QPushButton*>())
        if (button->text() == "&Run") run = button;
    ASSERT_NE(run, nullptr);
    QTest::mouseClick(run, Qt::LeftButton);
    QTest::keyClick(top->findChild<QPlainTextEdit*>(), Qt::Key_Escape);
    ui::SetApplicationErrorHandler(previous);

    EXPECT_EQ(form.Calls, (std::vector<std::string>{"FormShow", "btnUpdateClick", "FormKeyPress 27"}));
    EXPECT_EQ(errors, (std::vector<std::string>{"Connection failure"}));
}

} // namespace
} // namespace tarnwick
