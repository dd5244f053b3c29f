#pragma once

#include "platform/sql/Driver.h"

#include <string>
#include <vector>

// The statements a query object sends to store an inserted or edited row.
namespace tarnwick::sql {

struct TPostStatement {
    std::string Text;
    std::vector<TParameter> Params;
    // The text ends with a select of the identity value the server assigned.
    bool ReadsIdentity = false;
};

// INSERT of the fields set while inserting; the identity value is read back when the
// table has an identity column that was not set.
TPostStatement InsertStatement(const std::vector<TColumnInfo>& columns, const std::vector<TValue>& values,
                               const std::vector<bool>& modified);

// UPDATE of the changed fields, the row found by its key columns' original values (by all
// comparable columns when the table reports no key).
TPostStatement UpdateStatement(const std::vector<TColumnInfo>& columns, const std::vector<TValue>& original,
                               const std::vector<TValue>& values, const std::vector<bool>& modified);

} // namespace tarnwick::sql
