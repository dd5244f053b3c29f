#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The simulator's control and log files: one record per line, fields separated by TAB,
// with backslash, TAB, CR and LF inside a field written as \\, \t, \r and \n.
namespace tarnwick::sql::sim {

using TRecord = std::vector<std::string>;

std::string RecordLine(const TRecord& record);
TRecord ParseRecordLine(const std::string& line);

// A missing file has no records.
std::vector<TRecord> ReadRecords(const std::filesystem::path& file);
// Replaces the file as a whole (written beside it, then renamed over it).
void WriteRecords(const std::filesystem::path& file, const std::vector<TRecord>& records);
// Adds one record in a single write, so records of several processes never interleave.
void AppendRecord(const std::filesystem::path& file, const TRecord& record);

} // namespace tarnwick::sql::sim
