#include "platform/sql/sim/SimProcedures.h"

#include "platform/core/DateTime.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Format.h"
#include "platform/core/Strings.h"
#include "platform/sql/ValueConversion.h"
#include "platform/sql/sim/SimControls.h"
#include "platform/sql/sim/SimErrors.h"
#include "platform/sql/sim/SimRecords.h"
#include "platform/sql/sim/SimRoot.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace tarnwick::sql::sim {

namespace {

constexpr const char* BackupMagic = "TARNWICK SIMULATED BACKUP";

TColumnInfo Column(const std::string& name, TDataType type) { return {name, type, {}, false, false}; }

void RequireSysadmin(const TProcedureContext& context, const std::string& object)
{
    if (!context.Login.Sysadmin) throw EOleException(PermissionDeniedText(object));
}

TRowSet FixedDrives(const TProcedureContext& context)
{
    RequireSysadmin(context, "xp_fixeddrives");
    TRowSet rows{{Column("drive", TDataType::Text), Column("MB free", TDataType::Integer)}, {}};
    for (const auto& drive : ReadDrives(context.Server))
        rows.Rows.push_back({std::string(1, UpperChar(drive.Letter)), drive.FreeMB});
    return rows;
}

const TConfigOption* FindOption(const std::vector<TConfigOption>& options, const std::string& name,
                                bool advanced)
{
    const TConfigOption* found = nullptr;
    int matches = 0;
    for (const auto& option : options) {
        if (option.Advanced && !advanced) continue;
        if (SameText(option.Name, name)) return &option;
        if (StartsText(name, option.Name)) {
            found = &option;
            ++matches;
        }
    }
    return matches == 1 ? found : nullptr;
}

std::optional<TRowSet> Configure(const TProcedureContext& context, const std::vector<std::string>& arguments)
{
    const std::vector<TConfigOption> options = context.Catalog.Options();
    bool advanced = false;
    for (const auto& option : options)
        if (option.Name == "show advanced options") advanced = option.RunValue == 1;
    TRowSet rows{{Column("name", TDataType::Text), Column("minimum", TDataType::Integer),
                  Column("maximum", TDataType::Integer), Column("config_value", TDataType::Integer),
                  Column("run_value", TDataType::Integer)},
                 {}};
    auto add = [&rows](const TConfigOption& option) {
        rows.Rows.push_back(
            {option.Name, option.Minimum, option.Maximum, option.ConfigValue, option.RunValue});
    };
    if (arguments.empty()) {
        for (const auto& option : options)
            if (advanced || !option.Advanced) add(option);
        return rows;
    }
    const TConfigOption* option = FindOption(options, arguments[0], advanced);
    if (!option)
        throw EOleException("The configuration option '" + arguments[0] +
                            "' does not exist, or it may be an advanced option.");
    if (arguments.size() == 1) {
        add(*option);
        return rows;
    }
    if (!context.Login.Sysadmin) throw EOleException("User does not have permission to perform this action.");
    long long value = 0;
    if (!TryStrToInt64(Trim(arguments[1]), value) || value < option->Minimum || value > option->Maximum)
        throw EOleException(Format("Valid configuration option value range is %d through %d.",
                                   {option->Minimum, option->Maximum}));
    context.Catalog.SetConfigValue(option->Name, value);
    return std::nullopt;
}

// The pieces of a "dir" command line: the folder or pattern and its switches.
struct TDirCommand {
    std::string Path;
    bool FoldersOnly = false;
    bool LowerCase = false;
};

TDirCommand ParseDir(const std::string& arguments)
{
    TDirCommand command;
    std::size_t pos = 0;
    while (pos < arguments.size()) {
        while (pos < arguments.size() && arguments[pos] == ' ') ++pos;
        if (pos >= arguments.size()) break;
        std::string word;
        if (arguments[pos] == '"') {
            const std::size_t close = arguments.find('"', pos + 1);
            word =
                arguments.substr(pos + 1, close == std::string::npos ? std::string::npos : close - pos - 1);
            pos = close == std::string::npos ? arguments.size() : close + 1;
            command.Path = word;
            continue;
        }
        const std::size_t end = arguments.find(' ', pos);
        word = arguments.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        pos = end == std::string::npos ? arguments.size() : end;
        if (word[0] == '/') {
            if (SameText(word, "/A:D") || SameText(word, "/AD")) command.FoldersOnly = true;
            if (SameText(word, "/L")) command.LowerCase = true;
        } else {
            command.Path = word;
        }
    }
    return command;
}

TRowSet CommandShell(const TProcedureContext& context, const std::vector<std::string>& arguments)
{
    RequireSysadmin(context, "xp_cmdshell");
    bool enabled = false;
    for (const auto& option : context.Catalog.Options())
        if (option.Name == "xp_cmdshell") enabled = option.RunValue == 1;
    if (!enabled)
        throw EOleException(
            "SQL Server blocked access to procedure 'sys.xp_cmdshell' of component 'xp_cmdshell' "
            "because this component is turned off as part of the security configuration for this "
            "server. A system administrator can enable the use of 'xp_cmdshell' by using "
            "sp_configure. For more information about enabling 'xp_cmdshell', search for "
            "'xp_cmdshell' in SQL Server Books Online.");
    TRowSet rows{{Column("output", TDataType::Text)}, {}};
    const std::string line = arguments.empty() ? std::string() : Trim(arguments[0]);
    const std::size_t space = line.find(' ');
    const std::string program = line.substr(0, space);
    if (!SameText(program, "dir")) {
        rows.Rows.push_back({"'" + program + "' is not recognized as an internal or external command,"});
        rows.Rows.push_back({std::string("operable program or batch file.")});
    } else {
        const TDirCommand command = ParseDir(space == std::string::npos ? "" : line.substr(space + 1));
        const std::filesystem::path folder = MapServerPath(DiskRoot(context.Server), command.Path);
        std::error_code error;
        if (folder.empty() || !std::filesystem::is_directory(folder, error)) {
            rows.Rows.push_back({std::string("The system cannot find the path specified.")});
        } else {
            std::vector<std::string> names;
            for (const auto& entry : std::filesystem::directory_iterator(folder, error))
                if (!command.FoldersOnly || entry.is_directory())
                    names.push_back(entry.path().filename().string());
            std::sort(names.begin(), names.end(),
                      [](const auto& a, const auto& b) { return CompareText(a, b) < 0; });
            if (names.empty()) rows.Rows.push_back({std::string("File Not Found")});
            for (const auto& name : names) rows.Rows.push_back({command.LowerCase ? LowerCase(name) : name});
        }
    }
    rows.Rows.push_back({std::monostate{}});
    return rows;
}

long long FileSizeKB(const std::filesystem::path& file)
{
    std::error_code error;
    const auto bytes = std::filesystem::file_size(file, error);
    return error ? 0 : static_cast<long long>((bytes + 1023) / 1024);
}

TRowSet HelpFile(const TProcedureContext& context)
{
    const auto database = context.Catalog.Find(context.Database);
    if (!database) throw EOleException(DatabaseMissingText(context.Database));
    long long dataKB = std::max<long long>(FileSizeKB(context.Catalog.FileOf(*database)), 1024);
    long long logKB = 1024;
    for (const auto& sizes : ReadFileSizes(context.Server))
        if (SameText(sizes.Database, database->Name)) {
            dataKB = sizes.DataKB;
            logKB = sizes.LogKB;
        }
    const std::string folder = ReadSettings(context.Server).DataFolder;
    TRowSet rows{{Column("name", TDataType::Text), Column("fileid", TDataType::Integer),
                  Column("filename", TDataType::Text), Column("filegroup", TDataType::Text),
                  Column("size", TDataType::Text), Column("maxsize", TDataType::Text),
                  Column("growth", TDataType::Text), Column("usage", TDataType::Text)},
                 {}};
    rows.Rows.push_back({database->Name, 1LL, folder + database->Name + ".mdf", std::string("PRIMARY"),
                         IntToStr(dataKB) + " KB", std::string("Unlimited"), std::string("1024 KB"),
                         std::string("data only")});
    rows.Rows.push_back({database->Name + "_log", 2LL, folder + database->Name + "_log.ldf", std::monostate{},
                         IntToStr(logKB) + " KB", std::string("2147483648 KB"), std::string("10%"),
                         std::string("log only")});
    return rows;
}

// A backup file: the magic line, one record per backup set, an empty line, then the sets'
// database files one after the other.
struct TBackupSet {
    std::string Database;
    std::string Server;
    std::string User;
    std::string Start;
    std::string Finish;
    std::string Bytes;
};

bool ReadBackupFile(const std::filesystem::path& file, std::vector<TBackupSet>& sets)
{
    std::ifstream in(file, std::ios::binary);
    std::string line;
    if (!std::getline(in, line) || line != BackupMagic) return false;
    while (std::getline(in, line) && !line.empty()) {
        TRecord record = ParseRecordLine(line);
        record.resize(7);
        if (record[0] != "set") return false;
        sets.push_back({record[1], record[2], record[3], record[4], record[5], record[6]});
    }
    return !sets.empty();
}

std::filesystem::path BackupPath(const TProcedureContext& context, const std::string& path)
{
    return MapServerPath(DiskRoot(context.Server), path);
}

} // namespace

bool IsServerProcedure(const std::string& name)
{
    return SameText(name, "xp_fixeddrives") || SameText(name, "sp_configure") ||
           SameText(name, "xp_cmdshell") || SameText(name, "sp_helpfile");
}

std::optional<TRowSet> CallProcedure(const TProcedureContext& context, const std::string& name,
                                     const std::vector<std::string>& arguments)
{
    if (SameText(name, "xp_fixeddrives")) return FixedDrives(context);
    if (SameText(name, "sp_configure")) return Configure(context, arguments);
    if (SameText(name, "xp_cmdshell")) return CommandShell(context, arguments);
    if (SameText(name, "sp_helpfile")) return HelpFile(context);
    throw EOleException(NoProcedureText(name));
}

void Reconfigure(const TProcedureContext& context)
{
    if (!context.Login.Sysadmin)
        throw EOleException("You do not have permission to run the RECONFIGURE statement.");
    context.Catalog.Reconfigure();
}

TRowSet RestoreHeaderOnly(const TProcedureContext& context, const std::string& path)
{
    if (!context.Login.Sysadmin)
        throw EOleException("CREATE DATABASE permission denied in database 'master'.");
    const std::filesystem::path file = BackupPath(context, path);
    std::error_code error;
    if (file.empty() || !std::filesystem::is_regular_file(file, error))
        throw EOleException("Cannot open backup device '" + path +
                            "'. Operating system error 2(The system cannot find the file specified.).");
    std::vector<TBackupSet> sets;
    if (!ReadBackupFile(file, sets))
        throw EOleException("The media family on device '" + path +
                            "' is incorrectly formed. SQL Server cannot process this media family.");
    TRowSet rows{{Column("BackupName", TDataType::Text), Column("BackupDescription", TDataType::Text),
                  Column("BackupType", TDataType::Integer), Column("ExpirationDate", TDataType::DateTime),
                  Column("Compressed", TDataType::Integer), Column("Position", TDataType::Integer),
                  Column("DeviceType", TDataType::Integer), Column("UserName", TDataType::Text),
                  Column("ServerName", TDataType::Text), Column("DatabaseName", TDataType::Text),
                  Column("DatabaseVersion", TDataType::Integer), Column("BackupSize", TDataType::Integer),
                  Column("BackupStartDate", TDataType::DateTime),
                  Column("BackupFinishDate", TDataType::DateTime)},
                 {}};
    long long position = 0;
    for (const auto& set : sets) {
        TDateTime start = 0;
        TDateTime finish = 0;
        TryIsoDateTime(set.Start, start);
        TryIsoDateTime(set.Finish, finish);
        rows.Rows.push_back({set.Database + "-Full Database Backup", std::monostate{}, 1LL, std::monostate{},
                             0LL, ++position, 2LL, set.User, set.Server, set.Database, 661LL,
                             StrToIntDef(set.Bytes, 0), TSqlDateTime{start}, TSqlDateTime{finish}});
    }
    return rows;
}

void BackupDatabase(const TProcedureContext& context, const std::string& database, const std::string& path,
                    bool init)
{
    if (!context.Login.Sysadmin)
        throw EOleException("BACKUP DATABASE permission denied in database '" + database + "'.");
    const auto found = context.Catalog.Find(database);
    if (!found) throw EOleException(DatabaseMissingText(database));
    const std::filesystem::path file = BackupPath(context, path);
    std::error_code error;
    if (file.empty() || !std::filesystem::is_directory(file.parent_path(), error))
        throw EOleException("Cannot open backup device '" + path +
                            "'. Operating system error 3(The system cannot find the path specified.).");
    std::vector<TBackupSet> sets;
    std::string payloads;
    if (!init && std::filesystem::exists(file, error) && ReadBackupFile(file, sets)) {
        std::ifstream in(file, std::ios::binary);
        std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const std::size_t body = content.find("\n\n");
        payloads = body == std::string::npos ? std::string() : content.substr(body + 2);
    } else {
        sets.clear();
    }
    const std::string start = IsoDateTimeText(Now());
    std::ifstream source(context.Catalog.FileOf(*found), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(source)), std::istreambuf_iterator<char>());
    payloads += bytes;
    sets.push_back({found->Name, ReadSettings(context.Server).ServerName, context.Login.Name, start,
                    IsoDateTimeText(Now()), IntToStr(static_cast<long long>(bytes.size()))});
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << BackupMagic << "\n";
    for (const auto& set : sets)
        out << RecordLine({"set", set.Database, set.Server, set.User, set.Start, set.Finish, set.Bytes});
    out << "\n" << payloads;
    if (!out)
        throw EOleException("Write on \"" + path + "\" failed: 112(There is not enough space on the disk.)");
}

} // namespace tarnwick::sql::sim
