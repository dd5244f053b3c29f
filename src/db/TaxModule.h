#pragma once

#include "db/TaxConnections.h"
#include "db/VexholmADOConnection.h"
#include "db/VexholmDataSets.h"
#include "db/VexholmEDescriptions.h"
#include "platform/sql/Query.h"

#include <memory>
#include <string>
#include <string_view>

namespace tarnwick {

// The program's one database module: the standing connections to TaxMaster (MasterCon),
// to the selected dataset (adoTaxCon) and to TaxReadOnly (ReadOnlyCon), the server they
// reach, the dataset catalogue of KQ22 and the descriptions of the selected dataset.
class TTaxModule {
public:
    // Makes the connections, lists and allocator home; Create does the rest.
    TTaxModule();
    // Saves the lists (unless the application is ending), then closes every connection
    // before the lists go, so no disconnect handler meets a released list.
    ~TTaxModule();
    TTaxModule(const TTaxModule&) = delete;
    TTaxModule& operator=(const TTaxModule&) = delete;

    // The create step: server name, connection strings, the visible connection test unless
    // an automation client started the program, then the user's default dataset.
    void Create();

    TVexholmADOConnection MasterCon;
    TVexholmADOConnection adoTaxCon;
    TVexholmADOConnection ReadOnlyCon;

    // Never empty after Create: the suite's data source, else "localhost".
    std::string ServerName;
    // 0 until a dataset is selected, -1 once the selection is cleared.
    int CurrentDataNumber = 0;
    std::string CurrentDatabase;

    TVexholmDataSets& DataSets() { return *dataSets_; }
    TVexholmEDescriptions& Descriptions() { return *descriptions_; }
    TTaxConnections& Connections() { return *connections_; }

    std::unique_ptr<sql::TADOQuery> NewQuery();
    std::unique_ptr<sql::TADOQuery> NewReadOnlyQuery();
    int GetScalarInteger(const std::string& sql, int defaultValue);
    std::string GetScalarString(const std::string& sql);
    int GetMasterScalarInteger(const std::string& sql, int defaultValue);
    bool MasterHasRows(const std::string& sql);

    // A connection string for a database on ServerName.
    std::string ConnectionStringFor(std::string_view database, std::string_view userId,
                                    std::string_view password) const;

    // Empty when the dataset may be opened, else why not.
    std::string ValidateDataset(int dataNumber);
    bool IsDatasetValid(int dataNumber);
    // Valid, or only its data state is wrong (identity, version, conversion, structures).
    bool IsDatasetUsable(int dataNumber);
    // Points adoTaxCon at the dataset, or at nothing for -1; strict asks for a valid dataset,
    // otherwise a usable one is enough.
    bool SelectDataset(int dataNumber, bool strict);

private:
    void WireEvents();
    void PointAtNothing();

    void MasterConAfterConnect();
    void MasterConDisconnect();
    void adoTaxConAfterConnect();
    void adoTaxConBeforeDisconnect();

    std::unique_ptr<TVexholmEDescriptions> descriptions_;
    std::unique_ptr<TTaxConnections> connections_;
    std::unique_ptr<TVexholmDataSets> dataSets_;
};

// The module, made and created on first use.
TTaxModule& GetTaxModule();
// Program end: destroys the module; the next GetTaxModule makes a new one (tests start
// afresh this way).
void ReleaseTaxModule();

} // namespace tarnwick
