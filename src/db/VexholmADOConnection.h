#pragma once

#include "platform/core/Strings.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Query.h"

#include <memory>
#include <string>

namespace tarnwick {

// The directive that forces the server-side connection to read uncommitted data; it starts
// with a blank (it was always formatted from "%s SET ..." with an empty argument).
inline constexpr const char* IsolationDirective = " SET TRANSACTION ISOLATION LEVEL READ UNCOMMITTED";

// The one connection every part of the system talks to SQL Server through: read-uncommitted
// by default, one-call query shapes, and execution errors that name the connection and carry
// the failing SQL after the provider's own text. Opens on first use.
class TVexholmADOConnection : public sql::TADOConnection {
public:
    TVexholmADOConnection();

    // ApplyIsolationDirective sends the directive only while this is true.
    bool OverrideIsolationDirective = true;

    // Runs the text without returning records: the records affected.
    long long ExecuteCommand(const std::string& commandText);
    // Runs the text and returns its first result set.
    sql::TRecordsetPtr ExecuteRecordset(const std::string& commandText);

    long long ExecSQL(const std::string& sql);
    // Empty text gives a recordset that was never opened.
    sql::TRecordsetPtr OpenRecordset(const std::string& sql);
    bool HasRows(const std::string& sql);
    // Field 0 of the first row; NULL (monostate) when there is no row.
    sql::TValue GetScalar(const std::string& sql);
    // The default for no row or NULL; raises, annotated, when the value is no integer.
    int GetScalarInteger(const std::string& sql, int defaultValue);
    std::string GetScalarString(const std::string& sql);
    // Clears the list and fills it with field 0 of every row, as text, in row order.
    void GetStringList(TStringList& list, const std::string& sql);

    // Query objects bound to this connection, owned by the caller; nullptr when one cannot
    // be made.
    std::unique_ptr<sql::TADOQuery> NewQuery();
    std::unique_ptr<sql::TADOQuery> NewReadOnlyQuery();

    // For a will-execute hook: puts the directive and CR LF in front of the text unless the
    // connection already reads uncommitted.
    void AddIsolationDirective(std::string& commandText) const;
    // For connect and transaction hooks: sends the directive.
    void ApplyIsolationDirective();

private:
    template <typename Run> auto Annotated(const std::string& commandText, Run run);
};

} // namespace tarnwick
