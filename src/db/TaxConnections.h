#pragma once

#include "db/UniqueIDs.h"
#include "db/VexholmADOConnection.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// Builds the suite's connection strings and keeps the database module's connections, so
// they can all be closed at once, and the identifier allocator.
class TTaxConnections {
public:
    // The allocator gets TaxConnectionString("TaxMaster").
    TTaxConnections();
    ~TTaxConnections();
    TTaxConnections(const TTaxConnections&) = delete;
    TTaxConnections& operator=(const TTaxConnections&) = delete;

    // The suite's one connection string, naming this program as the application.
    static std::string MakeConnectionString(std::string_view password, std::string_view userID,
                                            std::string_view database, std::string_view dataSource);
    // The TaxSoft login; an empty data source is the suite's own (GetDataSource).
    static std::string TaxConnectionString(std::string_view database, std::string_view dataSource = {});

    // A connection its owner frees: CloseAll only closes it. Registered at most once.
    void RegisterConnection(TVexholmADOConnection& connection);
    // A connection without owner: CloseAll closes and frees it.
    void RegisterConnection(std::unique_ptr<TVexholmADOConnection> connection);
    // In order of registration.
    std::vector<TVexholmADOConnection*> RegisteredConnections() const;
    // Closes every registered connection in order, frees those without owner, forgets all.
    void CloseAll();

    TUniqueIDs& UniqueIDs() { return *uniqueIDs_; }

private:
    struct TRegistered {
        TVexholmADOConnection* Connection = nullptr;
        std::unique_ptr<TVexholmADOConnection> Owned;
    };
    TRegistered* Find(const TVexholmADOConnection* connection);

    std::vector<TRegistered> connections_;
    std::unique_ptr<TUniqueIDs> uniqueIDs_;
};

// The server named by a connection string's "Data Source" (exact case), trimmed; empty
// when the string names none.
std::string ExtractDataSource(std::string_view connectionString);

} // namespace tarnwick
