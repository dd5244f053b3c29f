#include "platform/sql/sim/SimRecords.h"

#include "platform/core/Exceptions.h"

#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace tarnwick::sql::sim {

namespace {

std::string Escaped(const std::string& field)
{
    std::string out;
    for (char c : field) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace

std::string RecordLine(const TRecord& record)
{
    std::string line;
    for (std::size_t i = 0; i < record.size(); ++i) line += (i ? "\t" : "") + Escaped(record[i]);
    return line + "\n";
}

TRecord ParseRecordLine(const std::string& line)
{
    TRecord record(1);
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\t') {
            record.emplace_back();
        } else if (c == '\\' && i + 1 < line.size()) {
            const char next = line[++i];
            record.back() += next == 't' ? '\t' : next == 'r' ? '\r' : next == 'n' ? '\n' : next;
        } else if (c != '\n' && c != '\r') {
            record.back() += c;
        }
    }
    return record;
}

std::vector<TRecord> ReadRecords(const std::filesystem::path& file)
{
    std::vector<TRecord> records;
    std::ifstream in(file, std::ios::binary);
    std::string line;
    while (std::getline(in, line))
        if (!line.empty()) records.push_back(ParseRecordLine(line));
    return records;
}

void WriteRecords(const std::filesystem::path& file, const std::vector<TRecord>& records)
{
    const std::filesystem::path temporary = file.string() + "." + std::to_string(getpid()) + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        for (const auto& record : records) out << RecordLine(record);
        if (!out) throw EInOutError("Cannot write " + temporary.string());
    }
    std::filesystem::rename(temporary, file);
}

void AppendRecord(const std::filesystem::path& file, const TRecord& record)
{
    const std::string line = RecordLine(record);
    const int fd = open(file.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) throw EInOutError("Cannot write " + file.string());
    const ssize_t written = write(fd, line.data(), line.size());
    close(fd);
    if (written != static_cast<ssize_t>(line.size())) throw EInOutError("Cannot write " + file.string());
}

} // namespace tarnwick::sql::sim
