#include "platform/sql/sim/SimLog.h"

#include "platform/core/Strings.h"
#include "platform/sql/sim/SimControls.h"
#include "platform/sql/sim/SimRecords.h"

namespace tarnwick::sql::sim {

void AppendLog(const std::filesystem::path& server, const TSimLogEntry& entry)
{
    AppendRecord(StatementLogFile(server),
                 {entry.Time, IntToStr(entry.ProcessId), IntToStr(entry.SessionId), entry.Kind, entry.Login,
                  entry.Database, entry.Application, entry.Text});
}

std::vector<TSimLogEntry> ReadLog(const std::filesystem::path& server)
{
    std::vector<TSimLogEntry> entries;
    for (auto& record : ReadRecords(StatementLogFile(server))) {
        record.resize(8);
        entries.push_back({record[0], static_cast<int>(StrToIntDef(record[1], 0)),
                           static_cast<int>(StrToIntDef(record[2], 0)), record[3], record[4], record[5],
                           record[6], record[7]});
    }
    return entries;
}

} // namespace tarnwick::sql::sim
