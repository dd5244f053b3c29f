#include "diag/ErrorLevelWriter.h"

#include "platform/core/DateTime.h"
#include "platform/os/CommandLine.h"
#include "support/SimulatedSuite.h"

#include <gtest/gtest.h>

#include <memory>

namespace tarnwick {
namespace {

const std::string Blanks(10, ' ');
const std::string Separator = Blanks + std::string(80, '-');

class ReportFrameTest : public ::testing::Test {
protected:
    ReportFrameTest() { os::SetCommandLineArgs({"/AUTOMATION"}); }
    ~ReportFrameTest() override { SetClock(previousClock); }

    test::SimulatedSuite suite{1};
    std::shared_ptr<TFixedClock> clock =
        std::make_shared<TFixedClock>(EncodeDate(2025, 12, 8) + EncodeTime(9, 30, 15));
    std::shared_ptr<IClock> previousClock = SetClock(clock);
    TErrorLevelWriter log{"", true, true};
};

TEST_F(ReportFrameTest, HeaderNamesTheProgramTimeMachineAndUserAndTheFooterTheEnd)
{
    log.WriteReportHeader();
    log.Log(0, "Running Script... ", 2);
    clock->Set(EncodeDate(2025, 12, 9));
    log.WriteReportFooter();

    EXPECT_EQ(log.Lines(),
              (TStringList{"", Separator, Blanks + "Taxation Utility 2025 R2  2025 R2 (28.1.0.57)", Separator,
                           Blanks + "Report Generated on 08/12/2025 09:30:15", Separator,
                           Blanks + "Computer 'SRV01', Username: jbloggs", Separator, "",
                           "   INFO:  Running Script... ", "", Separator,
                           Blanks + "Report Finished on 09/12/2025", Separator}));
}

TEST_F(ReportFrameTest, WithoutNamesTheMachineLineAndItsSeparatorAreLeftOut)
{
    suite.Os.Identity->Computer = "";
    suite.Os.Identity->User = "";
    log.WriteReportHeader();
    EXPECT_EQ(log.Lines().size(), 7u);
    EXPECT_EQ(log.Lines()[5], Separator);
    EXPECT_EQ(log.Lines()[6], "");

    // A user without a computer name still gets the user part.
    suite.Os.Identity->User = "jbloggs";
    log.Clear();
    log.WriteReportHeader();
    EXPECT_EQ(log.Lines()[6], Blanks + ", Username: jbloggs");
}

} // namespace
} // namespace tarnwick
