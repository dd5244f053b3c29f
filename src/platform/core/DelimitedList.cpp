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

} // namespace

TStringList SplitDelimited(std::string_view text, const TDelimitedRules& rules)
{
    // A NUL ends the text, as it ends a C string.
    text = text.substr(0, text.find('\0'));
    TStringList items;
    std::size_t pos = 0;
    auto skipBlanks = [&] {
        while (rules.BlanksSeparate && pos < text.size() && IsBlank(text[pos])) ++pos;
    };
    auto endsItem = [&](char c) { return c == rules.Delimiter || (rules.BlanksSeparate && IsBlank(c)); };
    skipBlanks();
    while (pos < text.size()) {
        // The quote opens an item only as its first character.
        if (text[pos] == rules.Quote) {
            items.push_back(ReadQuoted(text, pos, rules.Quote));
        } else {
            const std::size_t start = pos;
            while (pos < text.size() && !endsItem(text[pos])) ++pos;
            items.emplace_back(text.substr(start, pos - start));
        }
        skipBlanks();
        if (pos < text.size() && text[pos] == rules.Delimiter) {
            if (pos + 1 == text.size()) items.emplace_back();
            ++pos;
            skipBlanks();
        }
    }
    if (rules.SkipEmpty) std::erase_if(items, [](const std::string& item) { return item.empty(); });
    return items;
}

TStringList SplitCommaText(std::string_view text)
{
    return SplitDelimited(text, TDelimitedRules{.Delimiter = ',', .Quote = '"'});
}

} // namespace tarnwick
