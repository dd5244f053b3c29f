#pragma once

#include "db/VexholmADOConnection.h"
#include "db/VexholmBase.h"
#include "platform/core/DateTime.h"

#include <string>

namespace tarnwick {

class TUniqueIDs;

inline constexpr const char* DescriptionsTable = "KQ20";

// One row of KQ20 of a dataset, identified by EffectiveDate and DescNumber together.
class TVexholmEDescription : public TVexholmBaseObject {
public:
    TVexholmEDescription() { Clear(); }

    TDateTime EffectiveDate = 0;
    int DescNumber = -1;
    int DescType = 0;
    int DescSubType = 0;
    std::string DescText;
    bool ReadOnly = false;
    double DefaultAmount = 0;
    int ParentType = 0;
    int ParentSubType = 0;
    std::string AppliesTo;
    bool Indicator1 = false;

    void Clear() override;
    bool ReadFromQuery(sql::TADOQuery& query) override;
};

// Every row of KQ20 of the dataset a connection points at.
class TVexholmEDescriptions : public TVexholmBaseList {
public:
    TVexholmEDescription& Items(int index) const { return static_cast<TVexholmEDescription&>(Item(index)); }

    // Reloads every row in DescNumber and EffectiveDate order; true when there is at least one.
    bool Load(TVexholmADOConnection& connection);
    // Writes the changed rows in list order, new rows numbered by the allocator; every row
    // is unchanged afterwards.
    void Save(TVexholmADOConnection& connection, TUniqueIDs& uniqueIDs);

protected:
    std::unique_ptr<TVexholmBaseObject> NewItem() const override;
};

} // namespace tarnwick
