#include "platform/sql/QueryParameters.h"

#include "platform/sql/ValueConversion.h"

#include <cctype>

namespace tarnwick::sql {

void TQueryParameter::SetAsString(const std::string& value)
{
    DataType = TParamType::Text;
    Value = value;
}

void TQueryParameter::SetAsInteger(long long value)
{
    DataType = TParamType::Integer;
    Value = value;
}

void TQueryParameter::SetAsMemo(const std::string& value)
{
    DataType = TParamType::LargeText;
    Value = value;
}

void TQueryParameter::SetAsBlob(const TBytes& value)
{
    DataType = TParamType::Bytes;
    Value = value;
}

void TQueryParameter::SetAsBlob(const std::string& value) { SetAsBlob(TBytes(value.begin(), value.end())); }

TParameter TQueryParameter::Bound() const
{
    TParameter bound{DataType, {}};
    if (IsNull(Value)) return bound;
    switch (DataType) {
    case TParamType::Text:
    case TParamType::LargeText:
        bound.Value = ValueToString(Value);
        break;
    case TParamType::Integer:
        bound.Value = ValueToInt64(Value);
        break;
    case TParamType::Bytes:
        bound.Value = ValueToBytes(Value);
        break;
    case TParamType::Boolean:
        bound.Value = ValueToBoolean(Value);
        break;
    case TParamType::Float:
        bound.Value = ValueToFloat(Value);
        break;
    case TParamType::DateTime:
        bound.Value = TSqlDateTime{ValueToDateTime(Value)};
        break;
    }
    return bound;
}

namespace {

bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// Copies a quoted run (closing character doubled inside stands for itself) and returns
// the position after it.
std::size_t CopyQuoted(std::string_view sql, std::size_t pos, char close, std::string& out)
{
    out += sql[pos++];
    while (pos < sql.size()) {
        out += sql[pos];
        if (sql[pos++] == close) {
            if (pos < sql.size() && sql[pos] == close) {
                out += sql[pos++];
                continue;
            }
            break;
        }
    }
    return pos;
}

} // namespace

TParsedSql ParseParameters(std::string_view sql)
{
    TParsedSql parsed;
    std::size_t pos = 0;
    while (pos < sql.size()) {
        const char c = sql[pos];
        if (c == '\'')
            pos = CopyQuoted(sql, pos, '\'', parsed.Text);
        else if (c == '"')
            pos = CopyQuoted(sql, pos, '"', parsed.Text);
        else if (c == '[')
            pos = CopyQuoted(sql, pos, ']', parsed.Text);
        else if (c == '-' && sql.substr(pos, 2) == "--") {
            const std::size_t end = sql.find_first_of("\r\n", pos);
            const std::size_t stop = end == std::string_view::npos ? sql.size() : end;
            parsed.Text.append(sql.substr(pos, stop - pos));
            pos = stop;
        } else if (c == '/' && sql.substr(pos, 2) == "/*") {
            const std::size_t end = sql.find("*/", pos + 2);
            const std::size_t stop = end == std::string_view::npos ? sql.size() : end + 2;
            parsed.Text.append(sql.substr(pos, stop - pos));
            pos = stop;
        } else if (c == ':' && pos + 1 < sql.size() && sql[pos + 1] == ':') {
            parsed.Text.append("::");
            pos += 2;
        } else if (c == ':' && pos + 1 < sql.size() && IsNameChar(sql[pos + 1])) {
            std::size_t end = pos + 1;
            while (end < sql.size() && IsNameChar(sql[end])) ++end;
            parsed.Markers.emplace_back(sql.substr(pos + 1, end - pos - 1));
            parsed.Text += '?';
            pos = end;
        } else {
            parsed.Text += c;
            ++pos;
        }
    }
    return parsed;
}

} // namespace tarnwick::sql
