#pragma once

#include "db/VexholmADOConnection.h"

#include <memory>
#include <string>
#include <string_view>

namespace tarnwick {

// Reads the suite's name/value settings tables (columns Name and Value) by name, over a
// connection it was given or one it makes to its database with the TaxSoft login.
class TBasicNameValueSettings {
public:
    // Reads table over a connection that stays the caller's.
    TBasicNameValueSettings(std::string tableName, TVexholmADOConnection& connection);
    // Reads table over its own connection to database, opened on the first read.
    TBasicNameValueSettings(std::string tableName, std::string_view database);
    virtual ~TBasicNameValueSettings();
    TBasicNameValueSettings(const TBasicNameValueSettings&) = delete;
    TBasicNameValueSettings& operator=(const TBasicNameValueSettings&) = delete;

    // The value of the first row of that name; empty for no row or NULL.
    std::string GetValue(std::string_view name);
    bool ValueExists(std::string_view name);
    // The value read by StrToBool. A client-library error while reading is reported to the
    // crash-report engine silently and reads as false; a value that is no Boolean raises.
    bool GetBool(std::string_view name);

    const std::string& TableName() const { return tableName_; }
    TVexholmADOConnection& Connection() { return *connection_; }
    bool OwnsConnection() const { return ownConnection_ != nullptr; }

    // "SELECT Value FROM <table> WHERE Name='<name>'", quotes in the name doubled.
    static std::string ValueStatement(std::string_view tableName, std::string_view name);

private:
    std::string tableName_;
    std::unique_ptr<TVexholmADOConnection> ownConnection_;
    TVexholmADOConnection* connection_;
};

// "MasterSettings" in TaxMaster.
class TMasterBasicNameValueSettings : public TBasicNameValueSettings {
public:
    TMasterBasicNameValueSettings();
    explicit TMasterBasicNameValueSettings(TVexholmADOConnection& connection);
};

// "DatabaseSettings" in TaxReadOnly.
class TTaxReadOnlyBasicNameValueSettings : public TBasicNameValueSettings {
public:
    TTaxReadOnlyBasicNameValueSettings();
};

// "DatasetSettings" in TaxSecurities.
class TTaxSecuritiesBasicNameValueSettings : public TBasicNameValueSettings {
public:
    TTaxSecuritiesBasicNameValueSettings();
};

// "DatasetSettings" of a dataset database, over the caller's connection to it.
class TDatasetBasicNameValueSettings : public TBasicNameValueSettings {
public:
    explicit TDatasetBasicNameValueSettings(TVexholmADOConnection& connection);
};

} // namespace tarnwick
