#include "app/ScriptPrompts.h"
#include "platform/core/Exceptions.h"
#include "support/ScriptedToolkit.h"

#include <gtest/gtest.h>

using namespace tarnwick;

TEST(ScriptPrompts, ParsesQuotedAndUnquotedDeclarations)
{
    const TPrompt quoted = ParsePrompt("|##YEAR##|;|Tax year|;|Enter the tax year|;|2025|'");
    EXPECT_EQ(quoted.Placeholder, "##YEAR##");
    EXPECT_EQ(quoted.InputCaption, "Tax year");
    EXPECT_EQ(quoted.PromptText, "Enter the tax year");
    EXPECT_EQ(quoted.DefaultAnswer, "2025"); // the PRINT's apostrophe is a fifth part, ignored

    const TPrompt unquoted = ParsePrompt(" <ID>;Client;Code;ABC001'");
    EXPECT_EQ(unquoted.Placeholder, "<ID>");
    EXPECT_EQ(unquoted.DefaultAnswer, "ABC001'"); // unquoted, the apostrophe stays

    const TPrompt piped = ParsePrompt("|a||b|;|x; y|;p;d");
    EXPECT_EQ(piped.Placeholder, "a|b");
    EXPECT_EQ(piped.InputCaption, "x; y");
}

TEST(ScriptPrompts, FewerThanFourPartsIsTheListIndexError)
{
    EXPECT_THROW(ParsePrompt("|##YEAR##|;|Tax year|;|Enter the tax year|"), EListError);
    EXPECT_THROW(ParsePrompt(""), EListError);
}

TEST(ScriptPrompts, AnswersReplacePlaceholdersInOrderIgnoringCase)
{
    test::ScopedScriptedToolkit toolkit;
    std::vector<TPrompt> prompts = {ParsePrompt("|##YEAR##|;|Tax year|;|Enter the tax year|;|2025|"),
                                    ParsePrompt("|<C>|;|Client|;|Enter the client|;|X|")};
    TStringList script = {"UPDATE T SET Y=##YEAR## WHERE C='<c>'", "-- ##year## and ##Year##x", "",
                          "PRINT 'x<C>'"};
    toolkit->AnswerInput("2026");
    toolkit->CancelInput();

    AskPrompts(prompts, script);

    EXPECT_TRUE(prompts.empty());
    EXPECT_EQ(script,
              (TStringList{"UPDATE T SET Y=2026 WHERE C='X'", "-- 2026 and 2026x", "", "PRINT 'xX'"}));
    const auto& dialogs = toolkit->Dialogs();
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[0].Caption, "Tax year");
    EXPECT_EQ(dialogs[0].Text, "Enter the tax year");
    EXPECT_EQ(dialogs[0].DefaultText, "2025");
    EXPECT_EQ(dialogs[1].Caption, "Client");
}

TEST(ScriptPrompts, AnEmptyAnswerStopsAfterEarlierAnswersWereApplied)
{
    test::ScopedScriptedToolkit toolkit;
    std::vector<TPrompt> prompts = {ParsePrompt("A;c;First;1"), ParsePrompt("B;c;|Second value|;")};
    TStringList script = {"A B"};
    toolkit->AnswerInput("x");
    toolkit->CancelInput();
    try {
        AskPrompts(prompts, script);
        FAIL() << "an empty answer must stop the prompts";
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message(), "Second value was not supplied");
    }
    EXPECT_EQ(script, TStringList{"x B"});
}
