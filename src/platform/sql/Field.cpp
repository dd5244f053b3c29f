#include "platform/sql/Field.h"

#include "platform/core/Strings.h"
#include "platform/sql/ValueConversion.h"

namespace tarnwick::sql {

TField::TField(IFieldSource& source, std::size_t index, TColumnInfo column)
    : source_(&source), index_(index), column_(std::move(column))
{
}

const TValue& TField::Value() const { return source_->FieldValue(index_); }
bool TField::IsNull() const { return sql::IsNull(Value()); }
std::string TField::AsString() const { return ValueToString(Value()); }
int TField::AsInteger() const { return ValueToInt(Value()); }
long long TField::AsLargeInt() const { return ValueToInt64(Value()); }
double TField::AsFloat() const { return ValueToFloat(Value()); }
bool TField::AsBoolean() const { return ValueToBoolean(Value()); }
TDateTime TField::AsDateTime() const { return ValueToDateTime(Value()); }
TBytes TField::AsBytes() const { return ValueToBytes(Value()); }

void TField::SetValue(TValue value) { source_->SetFieldValue(index_, std::move(value)); }
void TField::SetAsString(const std::string& value) { SetValue(value); }
void TField::SetAsInteger(long long value) { SetValue(value); }
void TField::SetAsFloat(double value) { SetValue(value); }
void TField::SetAsBoolean(bool value) { SetValue(value); }
void TField::SetAsDateTime(TDateTime value) { SetValue(TSqlDateTime{value}); }
void TField::SetAsBytes(const TBytes& value) { SetValue(value); }
void TField::Clear() { SetValue(std::monostate{}); }

TFields::TFields(IFieldSource& source, const std::vector<TColumnInfo>& columns)
{
    fields_.reserve(columns.size());
    for (std::size_t i = 0; i < columns.size(); ++i) fields_.emplace_back(source, i, columns[i]);
}

TField* TFields::Find(std::string_view name)
{
    for (auto& field : fields_)
        if (SameText(field.FieldName(), name)) return &field;
    return nullptr;
}

} // namespace tarnwick::sql
