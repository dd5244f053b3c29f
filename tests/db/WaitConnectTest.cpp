#include "db/WaitConnect.h"
#include "StartedProgram.h"
#include "db/AbandonedConnections.h"
#include "db/TaxLogins.h"
#include "platform/core/MainThreadQueue.h"
#include "platform/sql/sim/SimProcessList.h"
#include "support/ScriptedToolkit.h"
#include "support/SimulatedServer.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace tarnwick {
namespace {

using sql::sim::TServerState;
using test::TScriptedWaitConnectState;

class WaitConnectTest : public ::testing::Test {
protected:
    ~WaitConnectTest() override
    {
        // A connect still waiting on a silent server gives up at once.
        sim->SetState(TServerState::Stopped);
    }

    // Waits (instant in the double) during which a server that answers at once does answer.
    void ServerAnswersDuringWaits()
    {
        toolkit->OnSleep([](int) {
            for (int i = 0; i < 1000 && RunPostedWork() == 0; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
        });
    }

    bool Test(TfrmWaitConnect& form, const std::string& password = TaxSoftPassword, bool longWait = false)
    {
        return form.TestConnect("SRV01", "TaxMaster", TaxSoftUser, password, longWait);
    }

    test::StartedProgram program{"SRV01", "Tax Utility"};
    test::SimulatedServer sim;
    test::ScopedScriptedToolkit toolkit;
};

TEST_F(WaitConnectTest, FastAnswerConnectsWithoutShowingTheWindow)
{
    ServerAnswersDuringWaits();
    {
        TfrmWaitConnect form;
        EXPECT_TRUE(Test(form));
        EXPECT_TRUE(form.Responsive());
        EXPECT_EQ(form.FailReason(), "");
        EXPECT_EQ(toolkit->WaitConnect()->Shows, 0);
        EXPECT_EQ(toolkit->WaitConnect()->TimeCaptions, TStringList{"10"});
        EXPECT_EQ(toolkit->Cursor(), ui::TCursor::crDefault);
    }
    const auto log = sim->Log();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back().Kind, "connect");
    EXPECT_EQ(log.back().Login, "TaxSoft");
    EXPECT_EQ(log.back().Database, "TaxMaster");
    EXPECT_EQ(log.back().Application, "Tax Utility");
    EXPECT_EQ(log.back().Text, "");
}

TEST_F(WaitConnectTest, RefusedConnectsGiveTheProvidersTextAndStayResponsive)
{
    ServerAnswersDuringWaits();
    const std::size_t abandoned = AbandonedConnectionCount();
    {
        TfrmWaitConnect form;
        EXPECT_FALSE(Test(form, "wrong"));
        EXPECT_TRUE(form.Responsive());
        EXPECT_EQ(form.FailReason(), "Login failed for user 'TaxSoft'.");
        EXPECT_EQ(toolkit->WaitConnect()->Shows, 0);
    }
    sim->SetState(TServerState::Paused);
    {
        TfrmWaitConnect form;
        EXPECT_FALSE(Test(form));
        EXPECT_TRUE(form.Responsive());
        EXPECT_TRUE(form.FailReason().starts_with("SQL Server service has been paused."))
            << form.FailReason();
    }
    EXPECT_EQ(AbandonedConnectionCount(), abandoned);
}

TEST_F(WaitConnectTest, SilentServerCountsTenDownToZeroThenFails)
{
    sim->SetState(TServerState::Silent);
    const std::size_t abandoned = AbandonedConnectionCount();
    {
        TfrmWaitConnect form;
        EXPECT_FALSE(Test(form));
        EXPECT_FALSE(form.Responsive());
        EXPECT_EQ(form.FailReason(),
                  "Timeout - 'SRV01' may not be accessible or the SQL instance is not running.");
        const TScriptedWaitConnectState& window = *toolkit->WaitConnect();
        EXPECT_EQ(window.TimeCaptions,
                  (TStringList{"10", "9", "8", "7", "6", "5", "4", "3", "2", "1", "0", "FAILED"}));
        EXPECT_EQ(window.Shows, 1);
        EXPECT_TRUE(window.Visible);
        EXPECT_FALSE(window.AbortVisible);
        EXPECT_EQ(window.ServerCaption, "SQL Server: SRV01");
        EXPECT_EQ(window.DatabaseCaption, "Database: TaxMaster");
        // Six grace passes, then eleven passes per tick for eleven ticks, then the last second.
        EXPECT_EQ(toolkit->SleptMilliseconds(), 600 + 11 * 11 * 100 + 1000);
        EXPECT_EQ(toolkit->Cursor(), ui::TCursor::crDefault);
    }
    EXPECT_EQ(AbandonedConnectionCount(), abandoned + 1);
    for (const ui::TCursor cursor : toolkit->CursorChanges()) EXPECT_NE(cursor, ui::TCursor::crAppStart);
}

TEST_F(WaitConnectTest, SlowAnswerHidesTheWindowAgain)
{
    sim->SetState(TServerState::Silent);
    toolkit->OnSleep([this](int) {
        if (!toolkit->WaitConnect()->Visible) return;
        sim->SetState(TServerState::Running);
        for (int i = 0; i < 1000 && RunPostedWork() == 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    });
    TfrmWaitConnect form;
    EXPECT_TRUE(Test(form));
    EXPECT_TRUE(form.Responsive());
    EXPECT_EQ(form.FailReason(), "");
    const TScriptedWaitConnectState& window = *toolkit->WaitConnect();
    EXPECT_EQ(window.Shows, 1);
    EXPECT_FALSE(window.Visible);
    EXPECT_EQ(window.TimeCaptions, TStringList{"10"});
}

TEST_F(WaitConnectTest, AnswerAfterATimeoutLeavesNoSessionOpen)
{
    const auto sessions = [this] { return sql::sim::SessionsOf(sim->Folder()).size(); };
    const auto deliverAnswer = [] {
        int delivered = 0;
        return test::PumpUntil([&] { return (delivered += RunPostedWork()) > 0; });
    };
    sim->SetState(TServerState::Silent);
    {
        TfrmWaitConnect form;
        EXPECT_FALSE(Test(form));
        // The caller still pumps messages (a failure window, say) while the server answers.
        sim->SetState(TServerState::Running);
        ASSERT_TRUE(deliverAnswer());
        EXPECT_EQ(sessions(), 1u);
        EXPECT_FALSE(form.Responsive());
    }
    EXPECT_EQ(sessions(), 0u);

    sim->SetState(TServerState::Silent);
    {
        TfrmWaitConnect form;
        EXPECT_FALSE(Test(form));
    }
    sim->SetState(TServerState::Running);
    ASSERT_TRUE(deliverAnswer());
    EXPECT_TRUE(test::PumpUntil([&] { return sessions() == 0; }));
}

TEST_F(WaitConnectTest, StopEndsTheWaitWithoutAnAnswer)
{
    sim->SetState(TServerState::Silent);
    int pumps = 0;
    toolkit->OnProcessMessages([&] {
        TScriptedWaitConnectState* window = toolkit->WaitConnect();
        if (window->Visible && ++pumps == 25) window->Events->btnAbortClick();
    });
    const std::size_t abandoned = AbandonedConnectionCount();
    {
        TfrmWaitConnect form;
        EXPECT_FALSE(Test(form));
        EXPECT_FALSE(form.Responsive());
        EXPECT_EQ(form.FailReason(), "User stopped connection attempt.");
        EXPECT_EQ(toolkit->WaitConnect()->TimeCaptions, (TStringList{"10", "9", "8"}));
    }
    EXPECT_EQ(AbandonedConnectionCount(), abandoned + 1);
}

TEST_F(WaitConnectTest, LongWaitShowsStopAtFortyFiveWithTheBusyCursor)
{
    sim->SetState(TServerState::Silent);
    toolkit->OnProcessMessages([&] {
        TScriptedWaitConnectState* window = toolkit->WaitConnect();
        if (window->AbortVisible) window->Events->btnAbortClick();
    });
    TfrmWaitConnect form;
    EXPECT_FALSE(Test(form, TaxSoftPassword, true));
    EXPECT_EQ(form.FailReason(), "User stopped connection attempt.");
    const TScriptedWaitConnectState& window = *toolkit->WaitConnect();
    EXPECT_EQ(window.TimeCaptions.front(), "60");
    EXPECT_EQ(window.TimeCaptions.back(), "45");
    EXPECT_EQ(window.TimeCaptions.size(), 16u);
    EXPECT_FALSE(window.AbortVisible);
    EXPECT_EQ(toolkit->CursorChanges(),
              (std::vector<ui::TCursor>{ui::TCursor::crHourGlass, ui::TCursor::crAppStart,
                                        ui::TCursor::crDefault}));
}

TEST_F(WaitConnectTest, StopAfterConnectingChangesNothing)
{
    ServerAnswersDuringWaits();
    TfrmWaitConnect form;
    ASSERT_TRUE(Test(form));
    form.btnAbortClick();
    EXPECT_TRUE(form.Responsive());
    EXPECT_EQ(form.FailReason(), "");
}

TEST_F(WaitConnectTest, UnexpectedStatusIsAFailureWithAFixedText)
{
    TfrmWaitConnect form;
    form.adoTestConnectComplete(sql::TEventStatus::Cancel, "ignored");
    EXPECT_EQ(form.FailReason(), "Unrecognised EventStatus in TfrmWaitConnect.adoTestConnectComplete");
    EXPECT_TRUE(form.Responsive());
}

} // namespace
} // namespace tarnwick
