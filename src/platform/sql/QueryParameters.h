#pragma once

#include "platform/sql/Driver.h"

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::sql {

// A named parameter of a query (":Xml" in its text), with the type it is sent as.
class TQueryParameter {
public:
    explicit TQueryParameter(std::string name) : Name(std::move(name)) {}

    std::string Name;
    TParamType DataType = TParamType::Text;
    TValue Value;

    void SetAsString(const std::string& value);
    void SetAsInteger(long long value);
    // Large text (a memo): sent as text of any length.
    void SetAsMemo(const std::string& value);
    // Binary: the bytes are sent exactly as they are.
    void SetAsBlob(const TBytes& value);
    void SetAsBlob(const std::string& value);
    void Clear() { Value = std::monostate{}; }

    // The value converted to the parameter's type, as it reaches the driver.
    TParameter Bound() const;
};

// The SQL text with its ":Name" markers replaced by "?", and the names in marker order
// (a name used twice appears twice). Markers inside quoted texts, bracketed or double-
// quoted names and comments are not markers; "::" is not one either.
struct TParsedSql {
    std::string Text;
    std::vector<std::string> Markers;
};
TParsedSql ParseParameters(std::string_view sql);

} // namespace tarnwick::sql
