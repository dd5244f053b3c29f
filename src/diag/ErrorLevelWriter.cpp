#include "diag/ErrorLevelWriter.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Format.h"

namespace tarnwick {

namespace {
constexpr std::string_view Blanks10 = "          ";

// Folder (with its separator), base name and extension (with its dot) of a file path.
struct TPathParts {
    std::string Folder;
    std::string Base;
    std::string Extension;
};

TPathParts SplitPath(const std::string& path)
{
    const std::size_t slash = path.find_last_of("\\/:");
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::string name = path.substr(nameStart);
    const std::size_t dot = name.rfind('.');
    TPathParts parts{path.substr(0, nameStart), name, ""};
    if (dot != std::string::npos) {
        parts.Base = name.substr(0, dot);
        parts.Extension = name.substr(dot);
    }
    return parts;
}
} // namespace

TErrorLevelWriter::TErrorLevelWriter(std::string fileName, bool verbose, bool appendToExisting)
    : verbose_(verbose), appendToExisting_(appendToExisting), fileName_(std::move(fileName))
{
}

std::string_view TErrorLevelWriter::PrefixOf(unsigned char level)
{
    switch (level) {
    case 0:
    case 5:
        return Blanks10;
    case 1:
    case 6:
        return "     OK:  ";
    case 2:
        return "   INFO:  ";
    case 3:
        return "WARNING:  ";
    case 4:
        return "  ERROR:  ";
    default:
        return "";
    }
}

int TErrorLevelWriter::Log(int indent, std::string_view text, unsigned char level)
{
    if (level == 3) ++warningCount_;
    if (level == 4) ++errorCount_;
    if ((level == 5 || level == 6) && !verbose_) return -1;
    const std::string lead = std::string(PrefixOf(level)) + std::string(indent > 0 ? indent : 0, ' ');
    if (text.find_first_of("\r\n") == std::string_view::npos) return Add(lead + std::string(text));
    TStringList lines = SplitLines(text);
    const int first = Add(lead + lines.front());
    if (lines.size() == 1) return first; // the only break ends the text: no further line
    lines.erase(lines.begin());
    return LogLines(indent, lines);
}

int TErrorLevelWriter::LogLines(int indent, const TStringList& lines)
{
    if (lines.empty()) throw EListError("cslMsg must be populated with one or more string values");
    int last = -1;
    for (const auto& line : lines) last = Log(indent, line, 0);
    return last;
}

int TErrorLevelWriter::Add(std::string line)
{
    lines_.push_back(line);
    const int index = static_cast<int>(lines_.size()) - 1;
    if (!file_) {
        if (fileName_.empty()) return index;
        OpenFile();
    }
    file_->Write(line + std::string(CRLF));
    return index;
}

void TErrorLevelWriter::Clear()
{
    lines_.clear();
    errorCount_ = 0;
    warningCount_ = 0;
}

void TErrorLevelWriter::WriteSeparator() { Log(0, std::string(80, '-'), 0); }

void TErrorLevelWriter::MoveAside() const
{
    const TPathParts parts = SplitPath(fileName_);
    for (int n = 1;; ++n) {
        const std::string candidate = parts.Folder + parts.Base + std::to_string(n) + parts.Extension;
        if (os::Files().FileExists(candidate)) continue;
        os::Files().RenameFile(fileName_, candidate); // a failed move leaves the file to append to
        return;
    }
}

void TErrorLevelWriter::OpenFile()
{
    auto& files = os::Files();
    if (files.FileExists(fileName_)) {
        if (!appendToExisting_) MoveAside();
    } else {
        const std::string folder = SplitPath(fileName_).Folder;
        if (!folder.empty() && !files.ForceDirectories(folder))
            throw EInOutError(Format("Cannot create folder \"%s\".", {folder}));
    }
    file_ = files.OpenAppend(fileName_);
}

} // namespace tarnwick
