#include "db/TaxModule.h"

#include "app/TextHelpers.h"
#include "app/VersionCompare.h"
#include "db/BasicNameValueSettings.h"
#include "db/TaxDatabases.h"
#include "db/TaxLogins.h"
#include "db/WaitConnect.h"
#include "diag/CrashReportHandOff.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Format.h"
#include "platform/os/CommandLine.h"
#include "platform/ui/Toolkit.h"
#include "suite/AppInfo.h"
#include "suite/SuiteEnvironment.h"
#include "suite/TaxSuiteStatus.h"

#include <array>

namespace tarnwick {

namespace {

constexpr std::string_view DatasetMismatch = "The data identification does not match the dataset name.";
constexpr std::string_view WrongVersion = "The version of the data is incorrect.";
constexpr std::string_view ConversionIncomplete = "The conversion has failed to complete.";
constexpr std::string_view BadTableStructure =
    "One or more table structures were previously marked as incorrect.";

// The reasons that concern only the state of the data: such a dataset can still be opened.
constexpr std::array<std::string_view, 4> DataStateReasons = {DatasetMismatch, WrongVersion,
                                                              ConversionIncomplete, BadTableStructure};

std::unique_ptr<TTaxModule>& Module()
{
    static std::unique_ptr<TTaxModule> module;
    return module;
}

// Without a toolkit there is no application left to keep data for.
bool ApplicationTerminating()
{
    try {
        return ui::Toolkit().Terminated();
    } catch (const EInvalidOperation&) {
        return true;
    }
}

} // namespace

TTaxModule::TTaxModule()
    : descriptions_(std::make_unique<TVexholmEDescriptions>()),
      connections_(std::make_unique<TTaxConnections>()), dataSets_(std::make_unique<TVexholmDataSets>())
{
    MasterCon.Name = "MasterCon";
    adoTaxCon.Name = "adoTaxCon";
    ReadOnlyCon.Name = "ReadOnlyCon";
    MasterCon.IsolationLevel = sql::TIsolationLevel::ReadUncommitted;
    adoTaxCon.IsolationLevel = sql::TIsolationLevel::ReadUncommitted;
    ReadOnlyCon.IsolationLevel = sql::TIsolationLevel::Serializable;
    MasterCon.OverrideIsolationDirective = true;
    adoTaxCon.OverrideIsolationDirective = true;
    ReadOnlyCon.OverrideIsolationDirective = false;
    WireEvents();
    connections_->RegisterConnection(MasterCon);
    connections_->RegisterConnection(adoTaxCon);
    connections_->RegisterConnection(ReadOnlyCon);
}

TTaxModule::~TTaxModule()
{
    // A destructor cannot raise: a failure of the last saves is recorded silently, and the
    // connections are closed whatever happened.
    try {
        if (!ApplicationTerminating()) {
            dataSets_->Save(MasterCon);
            if (MasterCon.InTransaction()) MasterCon.CommitTrans();
            descriptions_->Save(adoTaxCon, connections_->UniqueIDs());
            if (adoTaxCon.InTransaction()) adoTaxCon.CommitTrans();
        }
    } catch (...) {
        ReportCurrentException(false);
    }
    try {
        connections_->CloseAll();
    } catch (...) {
        ReportCurrentException(false);
    }
    // Every connection is closed now, so no handler reaches the lists released here.
    descriptions_.reset();
    dataSets_.reset();
    connections_.reset();
}

void TTaxModule::WireEvents()
{
    for (TVexholmADOConnection* connection : {&MasterCon, &adoTaxCon}) {
        connection->OnWillExecute = [connection](sql::TADOConnection&, std::string& commandText) {
            connection->AddIsolationDirective(commandText);
        };
        connection->OnConnectComplete = [connection](sql::TADOConnection&, sql::TEventStatus status,
                                                     const std::string&) {
            if (status == sql::TEventStatus::OK) connection->ApplyIsolationDirective();
        };
        connection->OnBeginTransComplete = [connection](sql::TADOConnection&, int, sql::TEventStatus,
                                                        const std::string&) {
            connection->ApplyIsolationDirective();
        };
        connection->OnCommitTransComplete = [connection](sql::TADOConnection&, sql::TEventStatus,
                                                         const std::string&) {
            connection->ApplyIsolationDirective();
        };
    }
    MasterCon.OnAfterConnect = [this](sql::TADOConnection&) { MasterConAfterConnect(); };
    MasterCon.OnDisconnect = [this](sql::TADOConnection&, sql::TEventStatus) { MasterConDisconnect(); };
    adoTaxCon.OnAfterConnect = [this](sql::TADOConnection&) { adoTaxConAfterConnect(); };
    adoTaxCon.OnBeforeDisconnect = [this](sql::TADOConnection&) { adoTaxConBeforeDisconnect(); };
}

void TTaxModule::Create()
{
    adoTaxCon.Close();
    const TTaxSuiteStatus* status = GetSuiteStatus();
    ServerName = status ? status->DataSource : std::string();
    if (ServerName.empty()) ServerName = "localhost";
    MasterCon.SetConnectionString(ConnectionStringFor(TaxMasterDatabase, TaxSoftUser, TaxSoftPassword));
    ReadOnlyCon.SetConnectionString(ConnectionStringFor(TaxReadOnlyDatabase, TaxSoftUser, TaxSoftPassword));

    // An automation client gets no window at all.
    if (!os::FindCmdLineSwitch("AUTOMATION") && !os::FindCmdLineSwitch("EMBEDDING")) {
        TfrmWaitConnect test;
        if (!test.TestConnect(ServerName, TaxMasterDatabase, TaxSoftUser, TaxSoftPassword, false)) return;
    }
    SelectDataset(GetDefaultDataset(), true);
}

std::unique_ptr<sql::TADOQuery> TTaxModule::NewQuery() { return adoTaxCon.NewQuery(); }

std::unique_ptr<sql::TADOQuery> TTaxModule::NewReadOnlyQuery() { return adoTaxCon.NewReadOnlyQuery(); }

int TTaxModule::GetScalarInteger(const std::string& sql, int defaultValue)
{
    return adoTaxCon.GetScalarInteger(sql, defaultValue);
}

std::string TTaxModule::GetScalarString(const std::string& sql) { return adoTaxCon.GetScalarString(sql); }

int TTaxModule::GetMasterScalarInteger(const std::string& sql, int defaultValue)
{
    return MasterCon.GetScalarInteger(sql, defaultValue);
}

bool TTaxModule::MasterHasRows(const std::string& sql) { return MasterCon.HasRows(sql); }

std::string TTaxModule::ConnectionStringFor(std::string_view database, std::string_view userId,
                                            std::string_view password) const
{
    return TTaxConnections::MakeConnectionString(password, userId, database, ServerName);
}

std::string TTaxModule::ValidateDataset(int dataNumber)
{
    const std::string database = DatasetDatabaseName(dataNumber);
    if (!MasterHasRows(Format("SELECT DataNumber FROM KQ22 WHERE DataNumber=%d", {dataNumber})))
        return Format("Dataset %d does not exist in %s.", {dataNumber, DataSetsTable});
    if (!MasterHasRows(
            Format("SELECT Name FROM master.dbo.sysdatabases WHERE Name='TaxData%d'", {dataNumber})))
        return "Database " + database + " does not exist.";
    if (!MasterHasRows(Format("SELECT TOP 1 ClientNumber FROM TaxData%d.dbo.KQ01", {dataNumber})))
        return "No data exists within this dataset.";

    TVexholmADOConnection connection;
    connection.SetConnectionString(ConnectionStringFor(database, TaxSoftUser, TaxSoftPassword));
    connection.IsolationLevel = sql::TIsolationLevel::ReadUncommitted;
    connection.ExecuteRecordset("SET TRANSACTION ISOLATION LEVEL READ UNCOMMITTED");
    TDatasetBasicNameValueSettings settings(connection);

    // Every data-state check runs; the last one that finds a problem names it.
    std::string reason;
    if (settings.ValueExists("Dataset") && settings.GetValue("Dataset") != IntToStr(dataNumber))
        reason = DatasetMismatch;
    if (settings.ValueExists("Version") &&
        CompareVersions(GetAppFileVersion(), settings.GetValue("Version"), 3) != 0)
        reason = WrongVersion;
    if (settings.ValueExists("UpdateComplete") && !TextToBool(settings.GetValue("UpdateComplete")))
        reason = ConversionIncomplete;
    if (settings.ValueExists("TableStructureOK") && !TextToBool(settings.GetValue("TableStructureOK")))
        reason = BadTableStructure;
    return reason;
}

bool TTaxModule::IsDatasetValid(int dataNumber) { return ValidateDataset(dataNumber).empty(); }

bool TTaxModule::IsDatasetUsable(int dataNumber)
{
    const std::string reason = ValidateDataset(dataNumber);
    if (reason.empty()) return true;
    for (std::string_view dataState : DataStateReasons)
        if (reason == dataState) return true;
    return false;
}

void TTaxModule::PointAtNothing() { dataSets_->OpenDatasetConnection(adoTaxCon, -1); }

bool TTaxModule::SelectDataset(int dataNumber, bool strict)
{
    if (dataNumber == -1) {
        adoTaxCon.Close();
        adoTaxCon.SetConnectionString("");
        CurrentDataNumber = -1;
        CurrentDatabase.clear();
        descriptions_->Clear();
        return true;
    }
    if (!(strict ? IsDatasetValid(dataNumber) : IsDatasetUsable(dataNumber))) {
        PointAtNothing();
        return false;
    }
    CurrentDataNumber = dataNumber;
    // The catalogue loads when MasterCon connects; a dataset added since then is read now.
    if (dataSets_->IndexOfDataNumber(dataNumber) < 0) dataSets_->Load(MasterCon);
    try {
        dataSets_->OpenDatasetConnection(adoTaxCon, dataNumber);
    } catch (...) {
        adoTaxCon.Close();
        adoTaxCon.SetConnectionString("");
        throw;
    }
    const int index = dataSets_->IndexOfDataNumber(dataNumber);
    CurrentDatabase = index >= 0 ? dataSets_->Items(index).DatabaseName() : std::string();
    if (adoTaxCon.Connected()) return true;
    PointAtNothing();
    return false;
}

void TTaxModule::MasterConAfterConnect()
{
    MasterCon.ApplyIsolationDirective();
    dataSets_->Load(MasterCon);
}

void TTaxModule::MasterConDisconnect() { connections_->UniqueIDs().Close(); }

void TTaxModule::adoTaxConAfterConnect()
{
    adoTaxCon.ApplyIsolationDirective();
    SetDefaultDataset(CurrentDataNumber);
    descriptions_->Load(adoTaxCon);
}

void TTaxModule::adoTaxConBeforeDisconnect()
{
    if (ApplicationTerminating()) return;
    descriptions_->Save(adoTaxCon, connections_->UniqueIDs());
    if (adoTaxCon.InTransaction()) adoTaxCon.CommitTrans();
}

TTaxModule& GetTaxModule()
{
    std::unique_ptr<TTaxModule>& module = Module();
    if (!module) {
        // Kept before its create step runs: a request from a message handled during the
        // connection test gets this same module, and a create step that fails leaves it
        // usable, as a failed connection test does.
        module = std::make_unique<TTaxModule>();
        module->Create();
    }
    return *module;
}

void ReleaseTaxModule() { Module().reset(); }

} // namespace tarnwick
