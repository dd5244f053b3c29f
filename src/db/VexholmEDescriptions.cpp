#include "db/VexholmEDescriptions.h"

#include "db/UniqueIDs.h"
#include "platform/core/Format.h"
#include "platform/core/Strings.h"

namespace tarnwick {

namespace {

std::string DateText(TDateTime date) { return FormatDateTime("yyyy-mm-dd", date); }

int BitOf(bool value) { return value ? 1 : 0; }

std::string InsertStatement(const TVexholmEDescription& row)
{
    return Format("Insert KQ20(EffectiveDate,DescNumber,DescType,DescSubType,DescText,ReadOnly,DefaultAmount,"
                  "ParentType,ParentSubType,AppliesTo,Indicator1) "
                  "Values('%s',%d,%d,%d,%s,%d,%8.2f,%d,%d,%s,%d)",
                  {DateText(row.EffectiveDate), row.DescNumber, row.DescType, row.DescSubType,
                   QuotedStr(row.DescText), BitOf(row.ReadOnly), row.DefaultAmount, row.ParentType,
                   row.ParentSubType, QuotedStr(row.AppliesTo), BitOf(row.Indicator1)});
}

std::string UpdateStatement(const TVexholmEDescription& row)
{
    return Format("Update KQ20 Set DescType = %d,DescSubType = %d,DescText = %s,ReadOnly = %d,"
                  "DefaultAmount = %8.2f,ParentType = %d,ParentSubType = %d,AppliesTo = %s,Indicator1 = %d "
                  "Where EffectiveDate = '%s' And DescNumber = %d",
                  {row.DescType, row.DescSubType, QuotedStr(row.DescText), BitOf(row.ReadOnly),
                   row.DefaultAmount, row.ParentType, row.ParentSubType, QuotedStr(row.AppliesTo),
                   BitOf(row.Indicator1), DateText(row.EffectiveDate), row.DescNumber});
}

std::string DeleteStatement(const TVexholmEDescription& row)
{
    return Format("Delete KQ20 Where EffectiveDate = '%s' And DescNumber = %d",
                  {DateText(row.EffectiveDate), row.DescNumber});
}

} // namespace

void TVexholmEDescription::Clear()
{
    EffectiveDate = 0;
    DescNumber = -1;
    DescType = 0;
    DescSubType = 0;
    DescText.clear();
    ReadOnly = false;
    DefaultAmount = 0;
    ParentType = 0;
    ParentSubType = 0;
    AppliesTo.clear();
    Indicator1 = false;
}

bool TVexholmEDescription::ReadFromQuery(sql::TADOQuery& query)
{
    if (query.Eof()) {
        SetLoaded(false);
        return false;
    }
    EffectiveDate = query.FieldByName("EffectiveDate").AsDateTime();
    DescNumber = query.FieldByName("DescNumber").AsInteger();
    DescType = query.FieldByName("DescType").AsInteger();
    DescSubType = query.FieldByName("DescSubType").AsInteger();
    DescText = query.FieldByName("DescText").AsString();
    ReadOnly = query.FieldByName("ReadOnly").AsBoolean();
    DefaultAmount = query.FieldByName("DefaultAmount").AsFloat();
    ParentType = query.FieldByName("ParentType").AsInteger();
    ParentSubType = query.FieldByName("ParentSubType").AsInteger();
    AppliesTo = query.FieldByName("AppliesTo").AsString();
    Indicator1 = query.FieldByName("Indicator1").AsBoolean();
    SetLoaded(true);
    return true;
}

bool TVexholmEDescriptions::Load(TVexholmADOConnection& connection)
{
    Clear();
    sql::TADOQuery query(&connection);
    query.LockType = sql::TLockType::ReadOnly;
    query.ParamCheck = false;
    query.SetSQLText(Format("Select * From %s Order By DescNumber,EffectiveDate", {DescriptionsTable}));
    query.Open();
    LoadFromQuery(query, true);
    return Count() > 0;
}

void TVexholmEDescriptions::Save(TVexholmADOConnection& connection, TUniqueIDs& uniqueIDs)
{
    // Plain text commands on the connection: these statements carry no annotation.
    sql::TADOConnection& plain = connection;
    for (int i = 0; i < Count(); ++i) {
        TVexholmEDescription& row = Items(i);
        switch (row.ChangeState()) {
        case TChangeState::csNew:
            if (row.DescNumber <= 1) row.DescNumber = uniqueIDs.NextID(DescriptionsTable, "DescNumber");
            plain.Execute(InsertStatement(row));
            break;
        case TChangeState::csModified:
            plain.Execute(UpdateStatement(row));
            break;
        case TChangeState::csDeleted:
            plain.Execute(DeleteStatement(row));
            break;
        case TChangeState::csUnchanged:
            break;
        }
        row.SetChangeState(TChangeState::csUnchanged);
    }
}

std::unique_ptr<TVexholmBaseObject> TVexholmEDescriptions::NewItem() const
{
    return std::make_unique<TVexholmEDescription>();
}

} // namespace tarnwick
