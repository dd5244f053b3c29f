#pragma once

#include "platform/core/Strings.h"

namespace tarnwick {

struct TDelimitedRules {
    char Delimiter = ';';
    char Quote = '"';
    // Blanks (code 32 or lower) end an unquoted item and are skipped before an item.
    // Off: blanks belong to the items and only the delimiter separates them.
    bool BlanksSeparate = true;
    // Drop items that come out empty.
    bool SkipEmpty = false;
};

// Splits a delimited list. An item that starts with the quote may hold the delimiter and
// blanks, a doubled quote inside it stands for one quote, and an unclosed quote runs to the
// end of the text; elsewhere the quote is an ordinary character. A delimiter at the very end
// adds one empty item.
TStringList SplitDelimited(std::string_view text, const TDelimitedRules& rules);

// The comma-text rules: "," with the double quote, blanks separating.
TStringList SplitCommaText(std::string_view text);

} // namespace tarnwick
