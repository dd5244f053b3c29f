#include "platform/sql/sim/SimCatalog.h"

#include "platform/core/DateTime.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Strings.h"
#include "platform/sql/ValueConversion.h"

namespace tarnwick::sql::sim {

namespace {

struct TSeedOption {
    const char* Name;
    long long Minimum;
    long long Maximum;
    long long Value;
    bool Advanced;
};

const TSeedOption SeedOptions[] = {
    {"allow updates", 0, 1, 0, false},
    {"max server memory (MB)", 16, 2147483647, 2147483647, true},
    {"nested triggers", 0, 1, 1, false},
    {"remote access", 0, 1, 1, false},
    {"show advanced options", 0, 1, 0, false},
    {"user connections", 0, 32767, 0, true},
    {"xp_cmdshell", 0, 1, 0, true},
};

} // namespace

std::filesystem::path TSimCatalog::MasterFile(const std::filesystem::path& server)
{
    return server / "master.sqlite";
}

void TSimCatalog::Initialise(const std::filesystem::path& server)
{
    TSqliteDb master(MasterFile(server), true);
    master.Exec("CREATE TABLE IF NOT EXISTS sim_databases (name TEXT PRIMARY KEY COLLATE NOCASE, "
                "dbid INTEGER UNIQUE, read_only INTEGER NOT NULL DEFAULT 0, created TEXT)");
    master.Exec("CREATE TABLE IF NOT EXISTS sim_configure (name VARCHAR(70) PRIMARY KEY COLLATE NOCASE, "
                "minimum INT, maximum INT, config_value INT, run_value INT, advanced INT)");
    master.Exec(
        "INSERT OR IGNORE INTO sim_databases (name, dbid, read_only, created) VALUES ('master', 1, 0, '" +
        IsoDateTimeText(Now()) + "')");
    for (const auto& option : SeedOptions) {
        TSqliteStatement insert(master, "INSERT OR IGNORE INTO sim_configure VALUES (?, ?, ?, ?, ?, ?)");
        insert.BindText(1, option.Name);
        insert.BindInt(2, option.Minimum);
        insert.BindInt(3, option.Maximum);
        insert.BindInt(4, option.Value);
        insert.BindInt(5, option.Value);
        insert.BindInt(6, option.Advanced ? 1 : 0);
        insert.Step();
    }
}

TSimCatalog::TSimCatalog(const std::filesystem::path& server)
    : server_(server), master_(MasterFile(server), false)
{
}

std::vector<TSimDatabase> TSimCatalog::Databases()
{
    std::vector<TSimDatabase> list;
    TSqliteStatement select(master_,
                            "SELECT name, dbid, read_only, created FROM sim_databases ORDER BY dbid");
    while (select.Step())
        list.push_back({select.ColumnText(0), static_cast<int>(select.ColumnInt(1)), select.ColumnInt(2) != 0,
                        select.ColumnText(3)});
    return list;
}

std::optional<TSimDatabase> TSimCatalog::Find(const std::string& name)
{
    for (auto& database : Databases())
        if (SameText(database.Name, name)) return database;
    return std::nullopt;
}

std::filesystem::path TSimCatalog::FileOf(const TSimDatabase& database) const
{
    return database.Id == 1 ? MasterFile(server_) : server_ / (database.Name + ".sqlite");
}

TSimDatabase TSimCatalog::Create(const std::string& name)
{
    if (Find(name))
        throw EOleException("Database '" + name + "' already exists. Choose a different database name.");
    TSqliteStatement insert(master_, "INSERT INTO sim_databases (name, dbid, read_only, created) "
                                     "SELECT ?, MAX(dbid) + 1, 0, ? FROM sim_databases");
    insert.BindText(1, name);
    insert.BindText(2, IsoDateTimeText(Now()));
    insert.Step();
    const TSimDatabase database = *Find(name);
    TSqliteDb file(FileOf(database), true);
    return database;
}

void TSimCatalog::SetReadOnly(const std::string& name, bool readOnly)
{
    TSqliteStatement update(master_, "UPDATE sim_databases SET read_only = ? WHERE name = ?");
    update.BindInt(1, readOnly ? 1 : 0);
    update.BindText(2, name);
    update.Step();
}

std::vector<TConfigOption> TSimCatalog::Options()
{
    std::vector<TConfigOption> list;
    TSqliteStatement select(master_, "SELECT name, minimum, maximum, config_value, run_value, advanced "
                                     "FROM sim_configure ORDER BY name");
    while (select.Step())
        list.push_back({select.ColumnText(0), select.ColumnInt(1), select.ColumnInt(2), select.ColumnInt(3),
                        select.ColumnInt(4), select.ColumnInt(5) != 0});
    return list;
}

void TSimCatalog::SetConfigValue(const std::string& name, long long value)
{
    TSqliteStatement update(master_, "UPDATE sim_configure SET config_value = ? WHERE name = ?");
    update.BindInt(1, value);
    update.BindText(2, name);
    update.Step();
}

void TSimCatalog::Reconfigure() { master_.Exec("UPDATE sim_configure SET run_value = config_value"); }

} // namespace tarnwick::sql::sim
