#include "platform/core/DelimitedList.h"

namespace tarnwick {

namespace {

// Reads a quoted item starting at the opening quote; pos ends after the closing quote.
std::string ReadQuoted(std::string_view text, std::size_t& pos, char quote)
{
    std::string item;
    ++pos;
    while (pos < text.size()) {
        if (text[pos] == quote) {
            if (pos + 1 < text.size() && text[pos + 1] == quote) {
                item += quote;
                pos += 2;
                continue;
            }
            ++pos;
            return item;
        }
        item += text[pos++];
    }
    return item;
}

bool IsSkippable(char c) { return c != '\0' && IsBlank(c); }

TStringList SplitLoose(std::string_view text, const TDelimitedRules& rules)
{
    // A NUL ends the text, as it ends a C string.
    text = text.substr(0, text.find('\0'));
    TStringList items;
    std::size_t pos = 0;
    auto skipBlanks = [&] {
        while (pos < text.size() && IsSkippable(text[pos])) ++pos;
    };
    skipBlanks();
    while (pos < text.size()) {
        if (text[pos] == rules.Quote) {
            items.push_back(ReadQuoted(text, pos, rules.Quote));
        } else {
            const std::size_t start = pos;
            while (pos < text.size() && !IsBlank(text[pos]) && text[pos] != rules.Delimiter) ++pos;
            items.emplace_back(text.substr(start, pos - start));
        }
        skipBlanks();
        if (pos < text.size() && text[pos] == rules.Delimiter) {
            if (pos + 1 == text.size()) items.emplace_back();
            ++pos;
            skipBlanks();
        }
    }
    return items;
}

TStringList SplitStrict(std::string_view text, const TDelimitedRules& rules)
{
    TStringList items;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::string item;
        while (pos < text.size() && text[pos] != rules.Delimiter) {
            if (text[pos] == rules.Quote)
                item += ReadQuoted(text, pos, rules.Quote);
            else
                item += text[pos++];
        }
        items.push_back(std::move(item));
        ++pos;
    }
    return items;
}

} // namespace

TStringList SplitDelimited(std::string_view text, const TDelimitedRules& rules)
{
    TStringList items = rules.BlanksSeparate ? SplitLoose(text, rules) : SplitStrict(text, rules);
    if (rules.SkipEmpty) std::erase_if(items, [](const std::string& item) { return item.empty(); });
    return items;
}

TStringList SplitCommaText(std::string_view text)
{
    return SplitDelimited(text, TDelimitedRules{.Delimiter = ',', .Quote = '"'});
}

} // namespace tarnwick
