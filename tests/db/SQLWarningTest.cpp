#include "db/SQLWarning.h"
#include "db/HelpCentre.h"
#include "support/ScriptedToolkit.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

using test::ScriptedToolkit;

TEST(SQLWarningTest, ShowsTheTextCollapsedAndTogglesTheDetails)
{
    test::ScopedScriptedToolkit toolkit;
    std::vector<std::tuple<std::string, bool, int>> seen;
    toolkit->OnSQLWarningShown([&](test::TScriptedSQLWarningState& state) {
        for (int i = 0; i < 3; ++i) {
            seen.emplace_back(state.DetailButtonCaption, state.DetailsVisible, state.ClientHeight);
            state.Events->btnDetailClick();
        }
    });
    ShowSQLWarning("Login failed for user 'TaxSoft'.\r\nSecond line");

    ASSERT_EQ(toolkit->Dialogs().size(), 1u);
    EXPECT_EQ(toolkit->SQLWarning()->ErrorDetailLines,
              (TStringList{"Login failed for user 'TaxSoft'.", "Second line"}));
    EXPECT_EQ(toolkit->SQLWarning()->ShowModalCalls, 1);
    const int collapsed = ScriptedToolkit::TopPanelHeight + ScriptedToolkit::ButtonPanelHeight;
    const int expanded = 3 * ScriptedToolkit::TopPanelHeight;
    EXPECT_EQ(seen, (std::vector<std::tuple<std::string, bool, int>>{
                        {"&Details >>", false, collapsed},
                        {"&Details <<", true, expanded},
                        {"&Details >>", false, collapsed},
                    }));
    EXPECT_EQ(toolkit->SQLWarning()->HelpCentreURL, SQLConnectionHelpURL);
    EXPECT_EQ(toolkit->SQLWarning()->ContactURL, ContactUsURL);
}

} // namespace
} // namespace tarnwick
