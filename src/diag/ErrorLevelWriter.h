#pragma once

#include "platform/core/Strings.h"
#include "platform/os/FileService.h"

#include <memory>
#include <string>
#include <string_view>

namespace tarnwick {

// The report log: lines kept in memory and written through to the log file at once, each
// message with a ten-character level prefix and its continuation lines lined up under it.
class TErrorLevelWriter {
public:
    TErrorLevelWriter(std::string fileName, bool verbose, bool appendToExisting);

    // Logs a message at a level (0 plain, 1 OK, 2 INFO, 3 WARNING, 4 ERROR, 5 and 6 only when
    // verbose, 7 and above without prefix). Returns the index of the last line added, or -1
    // when the level is not written.
    int Log(int indent, std::string_view text, unsigned char level);
    // Logs every line at level 0; EListError for an empty list.
    int LogLines(int indent, const TStringList& lines);
    // Adds one ready-made line and writes it through; returns its index.
    int Add(std::string line);
    // Empties the lines in memory and the counters; the file keeps what it has.
    void Clear();

    void WriteSeparator();

    const TStringList& Lines() const { return lines_; }
    int ErrorCount() const { return errorCount_; }
    int WarningCount() const { return warningCount_; }
    bool Verbose() const { return verbose_; }
    void SetVerbose(bool verbose) { verbose_ = verbose; }
    bool AppendToExisting() const { return appendToExisting_; }
    void SetAppendToExisting(bool append) { appendToExisting_ = append; }
    const std::string& FileName() const { return fileName_; }

    // The ten-character prefix of a level.
    static std::string_view PrefixOf(unsigned char level);

private:
    void OpenFile();
    void MoveAside() const;

    TStringList lines_;
    int errorCount_ = 0;
    int warningCount_ = 0;
    bool verbose_;
    bool appendToExisting_;
    std::string fileName_;
    std::unique_ptr<os::IAppendFile> file_;
};

} // namespace tarnwick
