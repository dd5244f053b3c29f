#pragma once

#include "platform/core/Strings.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Field.h"
#include "platform/sql/QueryParameters.h"

#include <optional>
#include <string>
#include <vector>

namespace tarnwick::sql {

enum class TLockType { ReadOnly, Optimistic, Pessimistic };
enum class TDataSetState { Inactive, Browse, Edit, Insert };

// A query bound to a connection: SQL text (with ":Name" parameters when parameter parsing
// is on), opened as a dataset whose rows are walked with First/Next/Eof and whose fields
// are read by name; an updatable query turns Insert/Edit + Post into INSERT and UPDATE
// statements on the rows' base table, keyed by its key columns. Execution goes through the
// connection (opening it when closed) with the query's own command timeout.
class TADOQuery : private IFieldSource {
public:
    explicit TADOQuery(TADOConnection* connection = nullptr);
    TADOQuery(const TADOQuery&) = delete;
    TADOQuery& operator=(const TADOQuery&) = delete;

    TADOConnection* Connection() const { return connection_; }
    void SetConnection(TADOConnection* connection);

    // Lines of SQL text, each followed by CR LF when sent. Setting the text (re)builds the
    // parameters when ParamCheck is on; values of parameters that keep their names stay.
    void SetSQL(const TStringList& lines);
    void SetSQLText(const std::string& text);
    const TStringList& SQL() const { return sql_; }
    std::string SQLText() const { return LinesText(sql_); }
    bool ParamCheck = true;

    TLockType LockType = TLockType::Optimistic;
    int CommandTimeout = 30;

    std::size_t ParameterCount() const { return parameters_.size(); }
    TQueryParameter& Parameter(std::size_t index);
    // EDatabaseError "Parameter '<name>' not found" when there is none.
    TQueryParameter& ParamByName(std::string_view name);

    // Opens the result set of the text; a text that returns none raises EDatabaseError
    // "CommandText does not return a result set".
    void Open();
    void Close();
    bool Active() const { return state_ != TDataSetState::Inactive; }
    TDataSetState State() const { return state_; }
    // Runs the text without returning rows: the records affected.
    long long ExecSQL();
    // Runs the last opened text again, back at the first row.
    void Requery();

    void First();
    void Next();
    bool Eof() const;
    bool Bof() const;
    std::size_t RecordCount() const;

    std::size_t FieldCount() const;
    TField& Fields(std::size_t index);
    // EDatabaseError "Field '<name>' not found" when there is none.
    TField& FieldByName(std::string_view name);
    TField* FindField(std::string_view name);

    void Insert();
    void Edit();
    void Post();
    void Cancel();

private:
    const TValue& FieldValue(std::size_t index) const override;
    void SetFieldValue(std::size_t index, TValue value) override;
    TBatchResult Run(bool withRecords);
    void RequireActive() const;
    void RequireModifiable() const;
    void CheckBrowseMode();
    void PostInsert();
    void PostEdit();

    TADOConnection* connection_;
    TStringList sql_;
    std::vector<TQueryParameter> parameters_;
    TDataSetState state_ = TDataSetState::Inactive;
    TRowSet rows_;
    TFields fields_;
    std::size_t position_ = 0;
    bool bof_ = true;
    bool eof_ = true;
    std::vector<TValue> buffer_;
    std::vector<bool> modified_;
};

} // namespace tarnwick::sql
