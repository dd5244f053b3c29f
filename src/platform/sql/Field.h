#pragma once

#include "platform/sql/Driver.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tarnwick::sql {

// Where a field's value lives: the current row of a recordset or query, or the row a query
// is editing.
class IFieldSource {
public:
    virtual const TValue& FieldValue(std::size_t index) const = 0;
    virtual void SetFieldValue(std::size_t index, TValue value) = 0;

protected:
    ~IFieldSource() = default;
};

// One column of the current row, read (and, on a query in edit or insert, written) as the
// types of ValueConversion.h.
class TField {
public:
    TField(IFieldSource& source, std::size_t index, TColumnInfo column);

    const std::string& FieldName() const { return column_.Name; }
    TDataType DataType() const { return column_.Type; }
    const TColumnInfo& Column() const { return column_; }
    std::size_t Index() const { return index_; }

    const TValue& Value() const;
    bool IsNull() const;
    std::string AsString() const;
    int AsInteger() const;
    long long AsLargeInt() const;
    double AsFloat() const;
    bool AsBoolean() const;
    TDateTime AsDateTime() const;
    TBytes AsBytes() const;

    void SetValue(TValue value);
    void SetAsString(const std::string& value);
    void SetAsInteger(long long value);
    void SetAsFloat(double value);
    void SetAsBoolean(bool value);
    void SetAsDateTime(TDateTime value);
    void SetAsBytes(const TBytes& value);
    void Clear();

private:
    IFieldSource* source_;
    std::size_t index_;
    TColumnInfo column_;
};

// The fields of a row set, found by position or by name (names ignore letter case).
class TFields {
public:
    TFields() = default;
    TFields(IFieldSource& source, const std::vector<TColumnInfo>& columns);
    TFields(const TFields&) = delete;
    TFields& operator=(const TFields&) = delete;
    TFields(TFields&&) = default;
    TFields& operator=(TFields&&) = default;

    std::size_t Count() const { return fields_.size(); }
    // nullptr when there is no such field.
    TField* Find(std::string_view name);
    TField* At(std::size_t index) { return index < fields_.size() ? &fields_[index] : nullptr; }

private:
    std::vector<TField> fields_;
};

} // namespace tarnwick::sql
