#include "platform/core/Format.h"
#include "platform/core/CodePage.h"
#include "platform/core/DateTime.h"
#include "platform/core/Exceptions.h"

#include <gtest/gtest.h>

using namespace tarnwick;

TEST(Format, PatternLanguage)
{
    EXPECT_EQ(Format("use [TaxData%s] ", {"7"}), "use [TaxData7] ");
    EXPECT_EQ(Format("%d MB", {-5}), "-5 MB");
    EXPECT_EQ(Format("%8.2f", {3.14159}), "    3.14");
    EXPECT_EQ(Format("%f", {2.5}), "2.50");
    EXPECT_EQ(Format("%.1n GB", {1234.56}), "1,234.6 GB");
    EXPECT_EQ(Format("%.1n GB", {1.25}), "1.3 GB");
    EXPECT_EQ(Format("%.1n", {999.96}), "1,000.0");
    EXPECT_EQ(Format("%.1n", {-0.04}), "0.0");
    EXPECT_EQ(Format("%-4s|%4s|%.2s", {"a", "b", "xyz"}), "a   |   b|xy");
    EXPECT_EQ(Format("%.3d %x %%", {7, 255}), "007 FF %");
    EXPECT_EQ(Format("%1:s %0:s", {"a", "b"}), "b a");
    // Large values and long precisions are read from the whole decimal expansion.
    EXPECT_EQ(Format("%.0f", {1e22}), "10000000000000000000000");
    EXPECT_EQ(Format("%.70f", {0.5}), "0." + std::string("5") + std::string(69, '0'));
    EXPECT_EQ(Format("%.0f", {1e300}).size(), 301u);
}

TEST(Format, MismatchedArgumentsRaiseConvertError)
{
    EXPECT_THROW(Format("%d", {"x"}), EConvertError);
    EXPECT_THROW(Format("%s", {1}), EConvertError);
    EXPECT_THROW(Format("%s %s", {"x"}), EConvertError);
    try {
        Format("%q", {1});
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Format '%q' invalid or incompatible with argument");
    }
}

TEST(Format, SeparatorsComeFromTheSettings)
{
    const TFormatSettings saved = FormatSettings();
    FormatSettings().DecimalSeparator = ',';
    FormatSettings().ThousandSeparator = '.';
    EXPECT_EQ(Format("%.1n", {12345.0}), "12.345,0");
    FormatSettings() = saved;
}

TEST(CodePage, Windows1252RoundTripsThroughUnicode)
{
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(AnsiFromUtf8(Utf8FromAnsi(all)), all);
    EXPECT_EQ(AnsiFromUtf16(Utf16FromAnsi(all)), all);
    EXPECT_EQ(Utf8FromAnsi("\x96"), "\xE2\x80\x93"); // en dash
    EXPECT_EQ(Utf8FromAnsi("\x80"), "\xE2\x82\xAC"); // euro sign
}

TEST(CodePage, UnmappableAndInvalidBecomeQuestionMarks)
{
    EXPECT_EQ(AnsiFromUtf8("\xE4\xB8\xAD-\xF0\x9F\x98\x80"), "?-?"); // CJK and an emoji
    EXPECT_EQ(AnsiFromUtf16(u"\u4E2D\U0001F600"), "??");
    EXPECT_FALSE(IsValidUtf8("\xC3"));
    EXPECT_FALSE(IsValidUtf8("\xC0\x80")); // overlong
    EXPECT_TRUE(IsValidUtf8("caf\xC3\xA9"));
    EXPECT_EQ(AnsiFromUtf8("a\xFF"
                           "b"),
              "a?b");
}

TEST(DateTime, SerialNumbersAndParts)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(2025, 4, 6), 45753.0);
    EXPECT_DOUBLE_EQ(EncodeTime(18, 0, 0), 0.75);
    const TDateParts p = DecodeDateTime(EncodeDate(2024, 2, 29) + EncodeTime(23, 59, 59, 999));
    EXPECT_EQ((std::vector<int>{p.Year, p.Month, p.Day, p.Hour, p.Minute, p.Second, p.Millisecond}),
              (std::vector<int>{2024, 2, 29, 23, 59, 59, 999}));
    EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
}

TEST(DateTime, DefaultTextLeavesOutMidnight)
{
    const TDateTime day = EncodeDate(2025, 4, 6);
    EXPECT_EQ(DateTimeToStr(day), "06/04/2025");
    EXPECT_EQ(DateTimeToStr(day + EncodeTime(9, 5, 7)), "06/04/2025 09:05:07");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:mm", day + EncodeTime(14, 30, 0)), "2025-04-06 14:30");
    EXPECT_EQ(FormatDateTime("dddd d mmmm yy 'at' h:nn", day + EncodeTime(8, 3, 0)),
              "Sunday 6 April 25 at 8:03");
}

TEST(DateTime, ParsesItsOwnText)
{
    const TDateTime value = EncodeDate(2025, 4, 6) + EncodeTime(9, 5, 7);
    EXPECT_EQ(StrToDateTime(DateTimeToStr(value)), value);
    EXPECT_EQ(StrToDateTime("6/4/2025"), EncodeDate(2025, 4, 6));
    EXPECT_EQ(StrToDateTime("06/04/2025 09:05"), EncodeDate(2025, 4, 6) + EncodeTime(9, 5, 0));
    for (const char* bad : {"", "31/02/2025", "2025-04-06", "06/04/2025 25:00", "06/04/2025x"})
        EXPECT_THROW(StrToDateTime(bad), EConvertError) << bad;
}

TEST(DateTime, ClockCanBeFixed)
{
    const auto previous = SetClock(std::make_shared<TFixedClock>(EncodeDate(2026, 1, 2) + 0.5));
    EXPECT_EQ(Date(), EncodeDate(2026, 1, 2));
    EXPECT_EQ(Now(), EncodeDate(2026, 1, 2) + 0.5);
    SetClock(previous);
    EXPECT_GT(Now(), EncodeDate(2026, 1, 1));
}
