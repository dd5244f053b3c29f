#include "db/TaxLogins.h"
#include "db/WaitConnect.h"
#include "support/SimulatedServer.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace tarnwick {
namespace {

QWidget* ShownWaitConnect()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->objectName() == "frmWaitConnect") return widget;
    return nullptr;
}

TEST(QtWaitConnectTest, FastAnswerNeverShowsTheBox)
{
    test::SimulatedServer sim;
    bool seen = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] { seen = seen || ShownWaitConnect() != nullptr; });
    watch.start(5);
    TfrmWaitConnect form;
    EXPECT_TRUE(form.TestConnect("SRV01", "TaxMaster", TaxSoftUser, TaxSoftPassword, false));
    EXPECT_FALSE(seen);
}

TEST(QtWaitConnectTest, SilentServerShowsTheBoxUntilStop)
{
    test::SimulatedServer sim;
    sim->SetState(sql::sim::TServerState::Silent);
    QString server, database, time;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        QWidget* box = ShownWaitConnect();
        if (!box) return;
        server = box->findChild<QLabel*>("lblServer")->text();
        database = box->findChild<QLabel*>("lblDatabase")->text();
        time = box->findChild<QLabel*>("lblTime")->text();
        watch.stop();
        // STOP shows only late in a long wait; the test presses it at once.
        QMetaObject::invokeMethod(box->findChild<QPushButton*>("btnAbort"), "click");
    });
    watch.start(5);
    {
        TfrmWaitConnect form;
        EXPECT_FALSE(form.TestConnect("SRV01", "TaxMaster", TaxSoftUser, TaxSoftPassword, false));
        EXPECT_EQ(form.FailReason(), "User stopped connection attempt.");
        EXPECT_FALSE(form.Responsive());
    }
    sim->SetState(sql::sim::TServerState::Stopped);
    EXPECT_EQ(server, "SQL Server: SRV01");
    EXPECT_EQ(database, "Database: TaxMaster");
    EXPECT_EQ(time, "10");
}

} // namespace
} // namespace tarnwick
