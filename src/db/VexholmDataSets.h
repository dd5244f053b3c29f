#pragma once

#include "db/VexholmADOConnection.h"
#include "db/VexholmBase.h"
#include "platform/core/DateTime.h"

#include <array>
#include <string>

namespace tarnwick {

inline constexpr const char* DataSetsTable = "KQ22";

// One row of KQ22: a client dataset of the suite.
class TVexholmDataSet : public TVexholmBaseObject {
public:
    TVexholmDataSet() { Clear(); }

    int DataNumber = -1;
    std::string Description;
    TDateTime CreateDate = 0;
    int CreateStaff = 0;
    TDateTime ModifyDate = 0;
    int ModifyStaff = 0;
    std::string ELSTraderID;
    std::string ELSAgentID;
    std::string ELSTEMPath;
    std::string ELSTaxOutPath;
    bool ELSSubmitAllDataSets = false;
    int ELSSetupNumber = 0;
    std::array<int, 20> SysCount{}; // Sys1Count to Sys20Count
    bool UseDefaultDetails = false;
    int ClientNumber = 0;
    std::string PracticeName;
    TDateTime RefreshDate = 0;

    void Clear() override;
    bool ReadFromQuery(sql::TADOQuery& query) override;

    // "TaxData<n>"
    std::string DatabaseName() const;
    // The TaxSoft connection string of the dataset's database on a server.
    std::string ConnectionString(const std::string& server) const;

    // Writes the row back by its state; true when something was written. The row is
    // unchanged afterwards, whatever happened.
    bool Save(TVexholmADOConnection& connection);

private:
    bool Store(TVexholmADOConnection& connection);
    void WriteTo(sql::TADOQuery& query) const;
};

// Every row of KQ22, with the server they came from.
class TVexholmDataSets : public TVexholmBaseList {
public:
    TVexholmDataSet& Items(int index) const { return static_cast<TVexholmDataSet&>(Item(index)); }

    // The data source of the connection this list last loaded from or saved to.
    std::string ServerName;

    // Reloads every row; true when there is at least one.
    bool Load(TVexholmADOConnection& connection);
    // Writes the changed rows in list order; true when any was written.
    bool Save(TVexholmADOConnection& connection);

    int IndexOfDataNumber(int dataNumber) const;

    // Points the connection at dataset n, keeping it when it already has the dataset's
    // string; closed with an empty string when n is not in the list.
    void OpenDatasetConnection(sql::TADOConnection& connection, int dataNumber) const;

protected:
    std::unique_ptr<TVexholmBaseObject> NewItem() const override;
};

} // namespace tarnwick
