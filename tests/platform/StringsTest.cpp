#include "platform/core/Strings.h"
#include "platform/core/DelimitedList.h"
#include "platform/core/Exceptions.h"

#include <gtest/gtest.h>

using namespace tarnwick;

TEST(Strings, TrimRemovesControlCharactersAndBlanksOnly)
{
    EXPECT_EQ(Trim("\t\r\n  a b \x01\x1f "), "a b");
    EXPECT_EQ(Trim("\xA0x\xA0"), "\xA0x\xA0"); // no-break space is code 160, not a blank
    EXPECT_EQ(TrimLeft("  x  "), "x  ");
    EXPECT_EQ(TrimRight("  x  "), "  x");
    EXPECT_EQ(Trim("   "), "");
}

TEST(Strings, CaseFollowsWindows1252)
{
    EXPECT_EQ(UpperCase("abc\xE9\x9A\xFF\xDF\xF7"), "ABC\xC9\x8A\x9F\xDF\xF7");
    EXPECT_EQ(LowerCase("ABC\xC9\x8A\x9F\xD7"), "abc\xE9\x9A\xFF\xD7");
    EXPECT_TRUE(SameText("Caf\xE9", "CAF\xC9"));
    EXPECT_FALSE(SameText("abc", "abcd"));
    EXPECT_LT(CompareText("abc", "ABD"), 0);
    EXPECT_EQ(CompareText("ABC", "abc"), 0);
}

TEST(Strings, ReplaceTextIgnoresCaseAndReplacesEveryOccurrence)
{
    EXPECT_EQ(ReplaceText("x [version] and [VERSION]", "[Version]", "2025 R"), "x 2025 R and 2025 R");
    EXPECT_EQ(ReplaceText("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(ReplaceAll("a'b'", "'", "''"), "a''b''");
    EXPECT_EQ(QuotedStr("O'Brien"), "'O''Brien'");
}

TEST(Strings, SplitLinesAtEveryKindOfBreak)
{
    const std::vector<std::pair<std::string, TStringList>> cases = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},
        {"a\n\nb", {"a", "", "b"}},
        {"\r\n", {""}},
        {"a\n\r", {"a", ""}},
    };
    for (const auto& [text, lines] : cases) EXPECT_EQ(SplitLines(text), lines) << text;
}

TEST(Strings, JoinAndTextOfLines)
{
    EXPECT_EQ(JoinLines({"a", "", "b"}), "a\r\n\r\nb");
    EXPECT_EQ(LinesText({"a", "b"}), "a\r\nb\r\n");
    EXPECT_EQ(LinesText({}), "");
}

TEST(Strings, IntegerConversion)
{
    EXPECT_EQ(StrToInt(" 42 "), 42);
    EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(StrToInt("$1F"), 31);
    EXPECT_THROW(StrToInt("abc"), EConvertError);
    EXPECT_THROW(StrToInt("4294967296"), EConvertError);
    try {
        StrToInt("1x");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'1x' is not a valid integer value");
        EXPECT_STREQ(e.ClassName(), "EConvertError");
    }
    EXPECT_EQ(StrToIntDef("", -1), -1);
}

struct SplitCase {
    std::string text;
    TDelimitedRules rules;
    TStringList items;
};

TEST(DelimitedList, SplitsByEachSetOfRules)
{
    const TDelimitedRules datasets{.Delimiter = ';', .Quote = '"'};
    const TDelimitedRules prompts{.Delimiter = ';', .Quote = '|'};
    const TDelimitedRules comma{.Delimiter = ',', .Quote = '"'};
    const TDelimitedRules versions{
        .Delimiter = ',', .Quote = '"', .BlanksSeparate = false, .SkipEmpty = true};
    const TDelimitedRules strict{.Delimiter = ',', .Quote = '"', .BlanksSeparate = false};
    const std::vector<SplitCase> cases = {
        {"3;7", datasets, {"3", "7"}},
        {"3 ; 7", datasets, {"3", "7"}},
        {"  3;7;", datasets, {"3", "7", ""}},
        {"3;;7", datasets, {"3", "", "7"}},
        {"\"a b;c\";d", datasets, {"a b;c", "d"}},
        {"a b", datasets, {"a", "b"}},
        {"", datasets, {}},
        {"\"say \"\"hi\"\"\"", datasets, {"say \"hi\""}},
        {"\"open", datasets, {"open"}},
        {"<X>;|Enter value|;|Type ; it|;", prompts, {"<X>", "Enter value", "Type ; it", ""}},
        {"|a||b|;c", prompts, {"a|b", "c"}},
        {"Dataset1,ABC001,2019", comma, {"Dataset1", "ABC001", "2019"}},
        {"My Data,ABC001,2019", comma, {"My", "Data", "ABC001", "2019"}},
        {"\"My Data\",ABC001,2019", comma, {"My Data", "ABC001", "2019"}},
        {"28.0.11,28.1.0", versions, {"28.0.11", "28.1.0"}},
        {"28.0.11,, 28.1.0 ,", versions, {"28.0.11", " 28.1.0 "}},
        {"\"28,1\",28.2", versions, {"28,1", "28.2"}},
        {"28.1\"x,28.2", versions, {"28.1\"x", "28.2"}},
        {"", strict, {}},
        {",a,", strict, {"", "a", ""}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitDelimited(c.text, c.rules), c.items) << c.text;
    EXPECT_EQ(SplitCommaText("a, b"), (TStringList{"a", "b"}));
}
