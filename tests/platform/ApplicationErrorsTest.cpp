#include "platform/ui/ApplicationErrors.h"

#include "platform/core/Exceptions.h"
#include "support/ScriptedToolkit.h"

#include <gtest/gtest.h>

namespace tarnwick::ui {
namespace {

TEST(ApplicationErrorsTest, GuardRoutesEscapingErrorsToTheHandler)
{
    std::vector<std::string> seen;
    const auto previous = SetApplicationErrorHandler(
        [&](std::exception_ptr error) { seen.push_back(ClassNameOf(error) + ": " + MessageOf(error)); });
    CallGuarded([] { throw EConvertError("'x' is not a valid integer value"); });
    CallGuarded([] { throw std::runtime_error("plain"); });
    CallGuarded([] {});
    SetApplicationErrorHandler(previous);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], "EConvertError: 'x' is not a valid integer value");
    EXPECT_NE(seen[1].find("plain"), std::string::npos);
}

TEST(ApplicationErrorsTest, WithoutAHandlerTheMessageShowsUnderTheApplicationTitle)
{
    test::ScopedScriptedToolkit toolkit;
    toolkit->SetApplicationTitle("Vexholm Taxation Utility");
    CallGuarded([] { throw Exception("Tom & Jerry"); });
    ASSERT_EQ(toolkit->Boxes().size(), 1u);
    EXPECT_EQ(toolkit->Boxes()[0].Caption, "Vexholm Taxation Utility");
    EXPECT_EQ(toolkit->Boxes()[0].Kind, TMsgDlgType::mtError);
    EXPECT_EQ(toolkit->Boxes()[0].Text, "Tom & Jerry");
}

TEST(ApplicationErrorsTest, AFailingHandlerDoesNotEscape)
{
    const auto previous =
        SetApplicationErrorHandler([](std::exception_ptr) { throw Exception("handler broke"); });
    EXPECT_NO_THROW(CallGuarded([] { throw Exception("first"); }));
    SetApplicationErrorHandler(previous);
}

} // namespace
} // namespace tarnwick::ui
