#pragma once

#include <string>
#include <string_view>
#include <vector>

// Byte-string helpers. All system text is Windows-1252, byte for byte, with CR LF breaks.
namespace tarnwick {

using TStringList = std::vector<std::string>;

inline constexpr std::string_view CRLF = "\r\n";

// A "blank" is any character whose code is 32 or lower (spaces and control characters).
constexpr bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string Trim(std::string_view text);
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);

// Letter case under Windows-1252 (accented letters included).
char UpperChar(char c);
char LowerChar(char c);
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);

// Case-insensitive comparison: <0, 0, >0 like strcmp on the upper-cased texts.
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);

// Position of needle in text ignoring case, or npos.
std::size_t FindText(std::string_view text, std::string_view needle, std::size_t from = 0);
bool ContainsText(std::string_view text, std::string_view needle);
bool StartsText(std::string_view prefix, std::string_view text);

// Every occurrence of from, found without regard to case, replaced by to.
std::string ReplaceText(std::string_view text, std::string_view from, std::string_view to);
// Every occurrence of from (exact case) replaced by to.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

// Lines of a text broken at CR LF, lone CR or lone LF. A break at the very end makes no
// extra line, and an empty text has no lines.
TStringList SplitLines(std::string_view text);
// The lines each followed by CR LF, as the text of a list of lines.
std::string LinesText(const TStringList& lines);
// The lines joined with CR LF between them (no break after the last).
std::string JoinLines(const TStringList& lines);

// Index of the first item equal to value ignoring case, or -1.
int IndexOfText(const TStringList& list, std::string_view value);

// Text of a whole number, and the whole number of a text (EConvertError
// "'%s' is not a valid integer value" when it is not one).
std::string IntToStr(long long value);
long long StrToInt64(std::string_view text);
int StrToInt(std::string_view text);
bool TryStrToInt64(std::string_view text, long long& value);
long long StrToIntDef(std::string_view text, long long fallback);

// A text in SQL single quotes with embedded quotes doubled: O'Brien -> 'O''Brien'.
std::string QuotedStr(std::string_view text);

} // namespace tarnwick
