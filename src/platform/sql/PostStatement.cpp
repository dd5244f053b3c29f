#include "platform/sql/PostStatement.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Strings.h"
#include "platform/sql/ValueConversion.h"

namespace tarnwick::sql {

namespace {

constexpr const char* NoBaseTableText = "Insufficient base table information for updating or refreshing.";

std::string Bracketed(std::string_view name)
{
    std::string quoted = "[";
    for (char c : name) {
        quoted += c;
        if (c == ']') quoted += ']';
    }
    return quoted + "]";
}

// "db.dbo.table" as [db].[dbo].[table].
std::string QuotedTable(std::string_view table)
{
    std::string quoted;
    std::size_t start = 0;
    while (true) {
        const std::size_t dot = table.find('.', start);
        if (!quoted.empty()) quoted += '.';
        quoted += Bracketed(table.substr(start, dot == std::string_view::npos ? dot : dot - start));
        if (dot == std::string_view::npos) break;
        start = dot + 1;
    }
    return quoted;
}

// The one base table behind the columns that take part.
std::string BaseTable(const std::vector<TColumnInfo>& columns, const std::vector<bool>& taking)
{
    std::string table;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].BaseTable.empty()) {
            if (taking[i]) throw EOleException(NoBaseTableText);
            continue;
        }
        if (table.empty())
            table = columns[i].BaseTable;
        else if (!SameText(table, columns[i].BaseTable))
            throw EOleException(NoBaseTableText);
    }
    if (table.empty()) throw EOleException(NoBaseTableText);
    return table;
}

TParameter ParameterOf(const TColumnInfo& column, const TValue& value)
{
    switch (value.index()) {
    case 1:
        return {TParamType::Integer, value};
    case 2:
        return {TParamType::Float, value};
    case 3:
        return {TParamType::Boolean, value};
    case 4:
        return {TParamType::DateTime, value};
    case 5:
        return {column.Type == TDataType::LargeText ? TParamType::LargeText : TParamType::Text, value};
    case 6:
        return {TParamType::Bytes, value};
    default:
        break;
    }
    switch (column.Type) {
    case TDataType::Boolean:
        return {TParamType::Boolean, value};
    case TDataType::Integer:
        return {TParamType::Integer, value};
    case TDataType::Float:
        return {TParamType::Float, value};
    case TDataType::DateTime:
        return {TParamType::DateTime, value};
    case TDataType::LargeText:
        return {TParamType::LargeText, value};
    case TDataType::Bytes:
        return {TParamType::Bytes, value};
    default:
        return {TParamType::Text, value};
    }
}

bool Comparable(const TColumnInfo& column)
{
    return column.Type != TDataType::Bytes && column.Type != TDataType::LargeText &&
           !column.BaseTable.empty();
}

} // namespace

TPostStatement InsertStatement(const std::vector<TColumnInfo>& columns, const std::vector<TValue>& values,
                               const std::vector<bool>& modified)
{
    TPostStatement statement;
    const std::string table = QuotedTable(BaseTable(columns, modified));
    std::string names;
    std::string markers;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].IsIdentity && !modified[i]) statement.ReadsIdentity = true;
        if (!modified[i]) continue;
        names += (names.empty() ? "" : ",") + Bracketed(columns[i].Name);
        markers += markers.empty() ? "?" : ",?";
        statement.Params.push_back(ParameterOf(columns[i], values[i]));
    }
    statement.Text = names.empty() ? "INSERT INTO " + table + " DEFAULT VALUES"
                                   : "INSERT INTO " + table + " (" + names + ") VALUES (" + markers + ")";
    if (statement.ReadsIdentity) statement.Text += "\r\nSELECT SCOPE_IDENTITY()";
    return statement;
}

TPostStatement UpdateStatement(const std::vector<TColumnInfo>& columns, const std::vector<TValue>& original,
                               const std::vector<TValue>& values, const std::vector<bool>& modified)
{
    TPostStatement statement;
    const std::string table = QuotedTable(BaseTable(columns, modified));
    std::string assignments;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (!modified[i]) continue;
        assignments += (assignments.empty() ? "" : ",") + Bracketed(columns[i].Name) + "=?";
        statement.Params.push_back(ParameterOf(columns[i], values[i]));
    }
    bool hasKey = false;
    for (const auto& column : columns) hasKey = hasKey || (column.IsKey && !column.BaseTable.empty());
    std::string condition;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (hasKey ? !columns[i].IsKey : !Comparable(columns[i])) continue;
        condition += condition.empty() ? "" : " AND ";
        if (IsNull(original[i])) {
            condition += Bracketed(columns[i].Name) + " IS NULL";
            continue;
        }
        condition += Bracketed(columns[i].Name) + "=?";
        statement.Params.push_back(ParameterOf(columns[i], original[i]));
    }
    if (condition.empty()) throw EOleException(NoBaseTableText);
    statement.Text = "UPDATE " + table + " SET " + assignments + " WHERE " + condition;
    return statement;
}

} // namespace tarnwick::sql
