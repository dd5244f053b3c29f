#pragma once

#include "platform/sql/Driver.h"
#include "platform/sql/Field.h"

#include <memory>

namespace tarnwick::sql {

// A forward recordset: the rows of one result set and a cursor over them. A recordset
// made without rows was never opened; asking it anything fails as the client library
// does. Held by shared pointer and released when the last holder lets go.
class TRecordset : private IFieldSource {
public:
    TRecordset() = default;
    explicit TRecordset(TRowSet rows);
    TRecordset(const TRecordset&) = delete;
    TRecordset& operator=(const TRecordset&) = delete;

    bool IsOpen() const { return open_; }
    // End of data: the cursor is past the last row (at once for an empty result).
    bool Eof() const;
    // Beginning of data: the cursor is before the first row (at once for an empty result).
    bool Bof() const;
    void MoveFirst();
    void MoveNext();
    std::size_t RecordCount() const;

    std::size_t FieldCount() const;
    TField& Fields(std::size_t index);
    TField& Fields(std::string_view name);
    const std::vector<TColumnInfo>& Columns() const;

private:
    const TValue& FieldValue(std::size_t index) const override;
    void SetFieldValue(std::size_t index, TValue value) override;
    void RequireOpen() const;

    bool open_ = false;
    TRowSet rows_;
    std::size_t position_ = 0;
    TFields fields_;
};

using TRecordsetPtr = std::shared_ptr<TRecordset>;

} // namespace tarnwick::sql
