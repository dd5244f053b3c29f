#include "db/VexholmADOConnection.h"

#include "platform/core/Exceptions.h"
#include "platform/sql/ValueConversion.h"

namespace tarnwick {

TVexholmADOConnection::TVexholmADOConnection() { IsolationLevel = sql::TIsolationLevel::ReadUncommitted; }

// The same error goes on with the connection's name and the command after the provider's
// text, so its class survives and lost-connection checks on the message's start still work.
template <typename Run> auto TVexholmADOConnection::Annotated(const std::string& commandText, Run run)
{
    try {
        return run();
    } catch (Exception& error) {
        error.SetMessage(error.Message() + "\r\n\r\n" + Name + ": " + commandText);
        throw;
    }
}

long long TVexholmADOConnection::ExecuteCommand(const std::string& commandText)
{
    return Annotated(commandText, [&] { return Execute(commandText); });
}

sql::TRecordsetPtr TVexholmADOConnection::ExecuteRecordset(const std::string& commandText)
{
    return Annotated(commandText, [&] { return sql::TADOConnection::ExecuteRecordset(commandText); });
}

long long TVexholmADOConnection::ExecSQL(const std::string& sql) { return ExecuteCommand(sql); }

sql::TRecordsetPtr TVexholmADOConnection::OpenRecordset(const std::string& sql)
{
    if (sql.empty()) return std::make_shared<sql::TRecordset>();
    return ExecuteRecordset(sql);
}

bool TVexholmADOConnection::HasRows(const std::string& sql)
{
    const sql::TRecordsetPtr rows = OpenRecordset(sql);
    return !(rows->Eof() && rows->Bof());
}

sql::TValue TVexholmADOConnection::GetScalar(const std::string& sql)
{
    const sql::TRecordsetPtr rows = OpenRecordset(sql);
    if (rows->Eof() && rows->Bof()) return {};
    return rows->Fields(0).Value();
}

int TVexholmADOConnection::GetScalarInteger(const std::string& sql, int defaultValue)
{
    const sql::TValue value = GetScalar(sql);
    if (sql::IsNull(value)) return defaultValue;
    try {
        return sql::ValueToInt(value);
    } catch (EConvertError& error) {
        error.SetMessage(error.Message() + "\r\n\t(" + sql::ValueToString(value) + ")\r\n\t" + Name + ": " +
                         sql);
        throw;
    } catch (Exception& error) {
        error.SetMessage(error.Message() + "\r\n\t" + Name + ": " + sql);
        throw;
    }
}

std::string TVexholmADOConnection::GetScalarString(const std::string& sql)
{
    const sql::TValue value = GetScalar(sql);
    return sql::IsNull(value) ? std::string() : sql::ValueToString(value);
}

void TVexholmADOConnection::GetStringList(TStringList& list, const std::string& sql)
{
    list.clear();
    const std::unique_ptr<sql::TADOQuery> query = NewReadOnlyQuery();
    if (!query) throw EDatabaseError("No query could be made for the connection");
    query->ParamCheck = false;
    query->SetSQLText(sql);
    query->Open();
    for (; !query->Eof(); query->Next()) list.push_back(query->Fields(0).AsString());
}

std::unique_ptr<sql::TADOQuery> TVexholmADOConnection::NewQuery()
{
    try {
        auto query = std::make_unique<sql::TADOQuery>();
        query->SetConnection(this);
        query->LockType = sql::TLockType::Optimistic;
        return query;
    } catch (const std::exception&) {
        return nullptr;
    }
}

std::unique_ptr<sql::TADOQuery> TVexholmADOConnection::NewReadOnlyQuery()
{
    std::unique_ptr<sql::TADOQuery> query = NewQuery();
    if (query) query->LockType = sql::TLockType::ReadOnly;
    return query;
}

void TVexholmADOConnection::AddIsolationDirective(std::string& commandText) const
{
    if (IsolationLevel == sql::TIsolationLevel::ReadUncommitted) return;
    commandText = std::string(IsolationDirective) + "\r\n" + commandText;
}

void TVexholmADOConnection::ApplyIsolationDirective()
{
    if (OverrideIsolationDirective) ExecuteRecordset(IsolationDirective);
}

} // namespace tarnwick
