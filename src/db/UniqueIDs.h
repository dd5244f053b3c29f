#pragma once

#include "db/VexholmADOConnection.h"
#include "platform/sql/Query.h"

#include <memory>
#include <string>
#include <string_view>

namespace tarnwick {

// Hands out the suite's identifiers from the table UniqueIDs (TableName, FieldName,
// IDValue), one row per table and field.
class TUniqueIDs {
public:
    TUniqueIDs();
    ~TUniqueIDs();
    TUniqueIDs(const TUniqueIDs&) = delete;
    TUniqueIDs& operator=(const TUniqueIDs&) = delete;

    // Closes the connection and gives it the string; the first call makes the connection.
    void SetConnectionString(const std::string& connectionString);
    // Empty before the first SetConnectionString.
    std::string ConnectionString() const;
    // The next identifier of a table's field: 1 for a field without a row, else one more
    // than the last. EUniqueIDException "Error creating Unique ID for <table>.<field>."
    // CR LF and the reason when it cannot be read.
    int NextID(std::string_view tableName, std::string_view fieldName);
    void Close();

    TVexholmADOConnection* Connection() const { return connection_.get(); }
    const std::string& TableName() const { return tableName_; }
    const std::string& FieldName() const { return fieldName_; }
    int LastID() const { return lastID_; }

private:
    [[noreturn]] void Fail(std::string_view reason) const;

    std::unique_ptr<TVexholmADOConnection> connection_;
    std::unique_ptr<sql::TADOQuery> query_;
    std::string tableName_;
    std::string fieldName_;
    int lastID_ = 0;
};

} // namespace tarnwick
