#include "platform/ui/Toolkit.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace tarnwick {
namespace {

class StopCounter : public ui::IWaitConnectEvents {
public:
    int Stops = 0;
    void btnAbortClick() override { ++Stops; }
};

QWidget* ShownFrame()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->objectName() == "frmWaitConnect") return widget;
    return nullptr;
}

TEST(QtWaitConnectViewTest, BorderlessBoxWithCountdownAndHiddenStop)
{
    StopCounter events;
    auto view = ui::Toolkit().NewWaitConnectView(events);
    EXPECT_FALSE(view->Visible());
    view->Show();
    QWidget* frame = ShownFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(view->Visible());
    EXPECT_TRUE(frame->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(frame->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(frame->windowTitle(), "SQL Connect Test");
    EXPECT_EQ(frame->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(qobject_cast<QFrame*>(frame)->frameShape(), QFrame::Box);

    auto* heading = frame->findChild<QLabel*>("Label1");
    auto* time = frame->findChild<QLabel*>("lblTime");
    auto* stop = frame->findChild<QPushButton*>("btnAbort");
    EXPECT_EQ(heading->text(), "Please wait - connecting...");
    EXPECT_TRUE(heading->font().bold());
    EXPECT_EQ(frame->findChild<QLabel*>("lblServer")->text(), "Server: ");
    EXPECT_EQ(frame->findChild<QLabel*>("lblDatabase")->text(), "Database: ");
    EXPECT_EQ(time->text(), "0");
    EXPECT_TRUE(time->font().bold());
    EXPECT_EQ(stop->text(), "STOP");
    EXPECT_EQ(stop->toolTip(), "Do not wait for error info.");
    EXPECT_FALSE(stop->isVisible());

    view->SetServerCaption("SQL Server: SRV01\\TAX");
    view->SetDatabaseCaption("Database: TaxMaster");
    view->SetTimeCaption("10");
    view->SetAbortVisible(true);
    view->Repaint();
    EXPECT_EQ(frame->findChild<QLabel*>("lblServer")->text(), "SQL Server: SRV01\\TAX");
    EXPECT_EQ(frame->findChild<QLabel*>("lblDatabase")->text(), "Database: TaxMaster");
    EXPECT_EQ(time->text(), "10");
    ASSERT_TRUE(stop->isVisible());
    QTest::mouseClick(stop, Qt::LeftButton);
    EXPECT_EQ(events.Stops, 1);

    view->Hide();
    EXPECT_FALSE(view->Visible());
}

} // namespace
} // namespace tarnwick
