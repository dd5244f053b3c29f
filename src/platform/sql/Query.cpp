#include "platform/sql/Query.h"

#include "platform/core/Exceptions.h"
#include "platform/sql/PostStatement.h"
#include "platform/sql/ValueConversion.h"

namespace tarnwick::sql {

TADOQuery::TADOQuery(TADOConnection* connection) : connection_(connection) {}

void TADOQuery::SetConnection(TADOConnection* connection)
{
    Close();
    connection_ = connection;
}

void TADOQuery::SetSQL(const TStringList& lines)
{
    Close();
    sql_ = lines;
    if (!ParamCheck) {
        parameters_.clear();
        return;
    }
    std::vector<TQueryParameter> rebuilt;
    for (const auto& name : ParseParameters(SQLText()).Markers) {
        bool known = false;
        for (const auto& parameter : rebuilt) known = known || SameText(parameter.Name, name);
        if (known) continue;
        TQueryParameter parameter(name);
        for (const auto& old : parameters_)
            if (SameText(old.Name, name)) parameter = old;
        parameter.Name = name;
        rebuilt.push_back(std::move(parameter));
    }
    parameters_ = std::move(rebuilt);
}

void TADOQuery::SetSQLText(const std::string& text) { SetSQL(SplitLines(text)); }

TQueryParameter& TADOQuery::Parameter(std::size_t index)
{
    if (index >= parameters_.size()) ThrowListIndexError(static_cast<long long>(index));
    return parameters_[index];
}

TQueryParameter& TADOQuery::ParamByName(std::string_view name)
{
    for (auto& parameter : parameters_)
        if (SameText(parameter.Name, name)) return parameter;
    throw EDatabaseError("Parameter '" + std::string(name) + "' not found");
}

TBatchResult TADOQuery::Run(bool withRecords)
{
    if (!connection_) throw EDatabaseError("Missing Connection or ConnectionString");
    std::string text = SQLText();
    std::vector<TParameter> bound;
    if (ParamCheck) {
        TParsedSql parsed = ParseParameters(text);
        text = std::move(parsed.Text);
        for (const auto& name : parsed.Markers) bound.push_back(ParamByName(name).Bound());
    }
    TBatchResult result = connection_->ExecuteBatch(std::move(text), bound, CommandTimeout);
    if (withRecords && !result.Rows) throw EDatabaseError("CommandText does not return a result set");
    return result;
}

void TADOQuery::Open()
{
    if (Active()) return;
    TBatchResult result = Run(true);
    rows_ = std::move(*result.Rows);
    fields_ = TFields(*this, rows_.Columns);
    state_ = TDataSetState::Browse;
    First();
}

void TADOQuery::Close()
{
    state_ = TDataSetState::Inactive;
    rows_ = {};
    fields_ = {};
    buffer_.clear();
    modified_.clear();
    position_ = 0;
    bof_ = eof_ = true;
}

long long TADOQuery::ExecSQL() { return Run(false).RowsAffected; }

void TADOQuery::Requery()
{
    RequireActive();
    CheckBrowseMode();
    Close();
    Open();
}

void TADOQuery::RequireActive() const
{
    if (!Active()) throw EDatabaseError("Cannot perform this operation on a closed dataset");
}

void TADOQuery::CheckBrowseMode()
{
    if (state_ == TDataSetState::Edit || state_ == TDataSetState::Insert) Post();
}

void TADOQuery::First()
{
    RequireActive();
    CheckBrowseMode();
    position_ = 0;
    bof_ = true;
    eof_ = rows_.Rows.empty();
}

void TADOQuery::Next()
{
    RequireActive();
    CheckBrowseMode();
    if (position_ + 1 < rows_.Rows.size()) {
        ++position_;
        bof_ = false;
    } else {
        eof_ = true;
    }
}

bool TADOQuery::Eof() const { return !Active() || eof_; }
bool TADOQuery::Bof() const { return !Active() || bof_; }

std::size_t TADOQuery::RecordCount() const
{
    RequireActive();
    return rows_.Rows.size();
}

std::size_t TADOQuery::FieldCount() const { return fields_.Count(); }

TField& TADOQuery::Fields(std::size_t index)
{
    if (TField* field = fields_.At(index)) return *field;
    ThrowListIndexError(static_cast<long long>(index));
}

TField* TADOQuery::FindField(std::string_view name) { return fields_.Find(name); }

TField& TADOQuery::FieldByName(std::string_view name)
{
    if (TField* field = fields_.Find(name)) return *field;
    throw EDatabaseError("Field '" + std::string(name) + "' not found");
}

const TValue& TADOQuery::FieldValue(std::size_t index) const
{
    if (state_ == TDataSetState::Edit || state_ == TDataSetState::Insert) return buffer_[index];
    static const TValue null;
    if (rows_.Rows.empty()) return null;
    return rows_.Rows[position_][index];
}

void TADOQuery::SetFieldValue(std::size_t index, TValue value)
{
    if (state_ != TDataSetState::Edit && state_ != TDataSetState::Insert)
        throw EDatabaseError("Dataset not in edit or insert mode");
    buffer_[index] = std::move(value);
    modified_[index] = true;
}

void TADOQuery::RequireModifiable() const
{
    RequireActive();
    if (LockType == TLockType::ReadOnly) throw EDatabaseError("Cannot modify a read-only dataset");
}

void TADOQuery::Insert()
{
    RequireModifiable();
    CheckBrowseMode();
    buffer_.assign(rows_.Columns.size(), TValue{});
    modified_.assign(rows_.Columns.size(), false);
    state_ = TDataSetState::Insert;
}

void TADOQuery::Edit()
{
    RequireModifiable();
    if (state_ == TDataSetState::Edit || state_ == TDataSetState::Insert) return;
    if (rows_.Rows.empty()) throw EDatabaseError("Cannot perform this operation on an empty dataset");
    buffer_ = rows_.Rows[position_];
    modified_.assign(rows_.Columns.size(), false);
    state_ = TDataSetState::Edit;
}

void TADOQuery::Cancel()
{
    if (state_ != TDataSetState::Edit && state_ != TDataSetState::Insert) return;
    buffer_.clear();
    modified_.clear();
    state_ = TDataSetState::Browse;
}

void TADOQuery::Post()
{
    if (state_ == TDataSetState::Insert)
        PostInsert();
    else if (state_ == TDataSetState::Edit)
        PostEdit();
    else
        throw EDatabaseError("Dataset not in edit or insert mode");
}

void TADOQuery::PostInsert()
{
    const TPostStatement statement = InsertStatement(rows_.Columns, buffer_, modified_);
    const TBatchResult result = connection_->ExecuteBatch(statement.Text, statement.Params, CommandTimeout);
    if (statement.ReadsIdentity && result.Rows && !result.Rows->Rows.empty()) {
        const TValue& identity = result.Rows->Rows.front().front();
        for (std::size_t i = 0; i < rows_.Columns.size(); ++i)
            if (rows_.Columns[i].IsIdentity && !modified_[i] && !IsNull(identity))
                buffer_[i] = ValueToInt64(identity);
    }
    rows_.Rows.push_back(std::move(buffer_));
    position_ = rows_.Rows.size() - 1;
    bof_ = eof_ = false;
    buffer_.clear();
    modified_.clear();
    state_ = TDataSetState::Browse;
}

void TADOQuery::PostEdit()
{
    bool changed = false;
    for (bool modified : modified_) changed = changed || modified;
    if (changed) {
        const TPostStatement statement =
            UpdateStatement(rows_.Columns, rows_.Rows[position_], buffer_, modified_);
        const TBatchResult result =
            connection_->ExecuteBatch(statement.Text, statement.Params, CommandTimeout);
        if (result.RowsAffected == 0)
            throw EOleException("Row cannot be located for updating. Some values may have been changed since "
                                "it was last read.");
        rows_.Rows[position_] = std::move(buffer_);
    }
    buffer_.clear();
    modified_.clear();
    state_ = TDataSetState::Browse;
}

} // namespace tarnwick::sql
