#include "app/CommonDialogs.h"
#include "app/DatasetBatches.h"
#include "app/UpgradeForm.h"
#include "db/TaxConnections.h"
#include "db/TaxLogins.h"
#include "db/TaxModule.h"
#include "db/VexholmADOConnection.h"
#include "platform/core/Exceptions.h"
#include "platform/core/ScopeGuard.h"
#include "platform/sql/Query.h"
#include "platform/ui/Toolkit.h"

namespace tarnwick {

void TUpgradeForm::ParseDatasetList(std::string_view value)
{
    if (value.empty()) {
        ShowErrorBox(
            "Please supply a list of Dataset IDs to process, or specify ALL to process all datasets.");
        throw EAbort();
    }
    if (value.find("ALL") != std::string_view::npos) {
        sql::TADOQuery query(&GetTaxModule().MasterCon);
        query.SetSQLText("select DataNumber from KQ22");
        query.Open();
        for (; !query.Eof(); query.Next()) DatasetIds.push_back(query.Fields(0).AsString());
        query.Close();
        return;
    }
    for (auto& id : SplitDatasetList(value)) DatasetIds.push_back(std::move(id));
}

void TUpgradeForm::RunAgainstDatasetBatches(const TStringList& lines)
{
    const ui::TCursor saved = ui::Toolkit().Cursor();
    const std::vector<TStringList> batches = SplitBatches(lines);
    for (const auto& id : DatasetIds) {
        const std::string prefix = DatasetUsePrefix(id);
        const ScopeGuard restore([saved] { ui::Toolkit().SetCursor(saved); });
        TVexholmADOConnection connection;
        ui::Toolkit().SetCursor(ui::TCursor::crHourGlass);
        connection.SetConnectionString(TTaxConnections::MakeConnectionString(
            TaxHardPassword, TaxHardUser, "master", GetTaxModule().ServerName));
        for (const auto& batch : batches) connection.ExecSQL(prefix + LinesText(batch));
    }
}

} // namespace tarnwick
