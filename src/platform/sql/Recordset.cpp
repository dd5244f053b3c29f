#include "platform/sql/Recordset.h"

#include "platform/core/Exceptions.h"

namespace tarnwick::sql {

namespace {
constexpr const char* ClosedText = "Operation is not allowed when the object is closed.";
constexpr const char* NoCurrentRowText = "Either BOF or EOF is True, or the current record has been deleted. "
                                         "Requested operation requires a current record.";
constexpr const char* NoSuchItemText =
    "Item cannot be found in the collection corresponding to the requested name or ordinal.";
} // namespace

TRecordset::TRecordset(TRowSet rows) : open_(true), rows_(std::move(rows)), fields_(*this, rows_.Columns) {}

void TRecordset::RequireOpen() const
{
    if (!open_) throw EOleException(ClosedText);
}

bool TRecordset::Eof() const
{
    RequireOpen();
    return position_ >= rows_.Rows.size();
}

bool TRecordset::Bof() const
{
    RequireOpen();
    return rows_.Rows.empty();
}

void TRecordset::MoveFirst()
{
    RequireOpen();
    position_ = 0;
}

void TRecordset::MoveNext()
{
    if (Eof()) throw EOleException(NoCurrentRowText);
    ++position_;
}

std::size_t TRecordset::RecordCount() const
{
    RequireOpen();
    return rows_.Rows.size();
}

std::size_t TRecordset::FieldCount() const
{
    RequireOpen();
    return fields_.Count();
}

const std::vector<TColumnInfo>& TRecordset::Columns() const
{
    RequireOpen();
    return rows_.Columns;
}

TField& TRecordset::Fields(std::size_t index)
{
    RequireOpen();
    if (TField* field = fields_.At(index)) return *field;
    throw EOleException(NoSuchItemText);
}

TField& TRecordset::Fields(std::string_view name)
{
    RequireOpen();
    if (TField* field = fields_.Find(name)) return *field;
    throw EOleException(NoSuchItemText);
}

const TValue& TRecordset::FieldValue(std::size_t index) const
{
    if (Eof()) throw EOleException(NoCurrentRowText);
    return rows_.Rows[position_][index];
}

void TRecordset::SetFieldValue(std::size_t, TValue)
{
    throw EOleException(
        "Current Recordset does not support updating. This may be a limitation of the provider, "
        "or of the selected locktype.");
}

} // namespace tarnwick::sql
