#include "db/UniqueIDs.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Format.h"
#include "platform/core/ScopeGuard.h"

namespace tarnwick {

TUniqueIDs::TUniqueIDs() = default;

TUniqueIDs::~TUniqueIDs() = default;

void TUniqueIDs::Fail(std::string_view reason) const
{
    throw EUniqueIDException(
        Format("Error creating Unique ID for %s.%s.%s%s", {tableName_, fieldName_, CRLF, reason}));
}

void TUniqueIDs::SetConnectionString(const std::string& connectionString)
{
    if (connection_) {
        connection_->Close();
        connection_->SetConnectionString(connectionString);
        return;
    }
    try {
        auto connection = std::make_unique<TVexholmADOConnection>();
        connection->SetConnectionString(connectionString);
        connection_ = std::move(connection);
    } catch (const std::exception& error) {
        Fail(error.what());
    }
}

std::string TUniqueIDs::ConnectionString() const
{
    return connection_ ? connection_->ConnectionString() : std::string();
}

int TUniqueIDs::NextID(std::string_view tableName, std::string_view fieldName)
{
    tableName_ = tableName;
    fieldName_ = fieldName;
    if (!connection_) Fail("Connection Not set up");
    if (!query_) {
        query_ = std::make_unique<sql::TADOQuery>(connection_.get());
        query_->LockType = sql::TLockType::Pessimistic;
        query_->ParamCheck = false;
    }
    connection_->Open();

    // The query is left closed on every path, so the next request starts afresh.
    const ScopeGuard closeQuery([this] {
        query_->Cancel();
        query_->Close();
    });
    try {
        query_->Close();
        query_->SetSQLText(Format("Select * From UniqueIDs Where TableName = '%s' and FieldName = '%s'",
                                  {tableName_, fieldName_}));
        query_->Open();
    } catch (const std::exception& error) {
        Fail(error.what());
    }

    if (query_->Eof()) {
        query_->Insert();
        query_->FieldByName("TableName").SetAsString(tableName_);
        query_->FieldByName("FieldName").SetAsString(fieldName_);
    } else {
        query_->Edit();
    }
    sql::TField& idValue = query_->FieldByName("IDValue");
    idValue.SetAsInteger(idValue.IsNull() ? 1 : idValue.AsInteger() + 1);
    query_->Post();
    lastID_ = query_->FieldByName("IDValue").AsInteger();
    return lastID_;
}

void TUniqueIDs::Close()
{
    if (connection_) connection_->Close();
}

} // namespace tarnwick
