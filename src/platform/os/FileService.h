#pragma once

#include "platform/core/DateTime.h"
#include "platform/core/Strings.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::os {

struct TFolderEntry {
    std::string Name;
    bool IsFolder = false;
};

// A file held open for appending; every Write reaches the file system before it returns.
// Closed when the holder goes.
class IAppendFile {
public:
    virtual ~IAppendFile() = default;
    virtual void Write(std::string_view text) = 0;
};

// Files and folders by the system's Windows-style paths (mapped by PathMapper()).
// The Boolean operations report failure as false, as their callers decide what a failure
// means; reading and writing raise EInOutError with the path in its Windows form.
// Windows semantics are kept where callers rely on them: a read-only file can be neither
// written nor deleted until its attribute is cleared, and a move never replaces a file.
class IFileService {
public:
    virtual ~IFileService() = default;

    // A file, not a folder.
    virtual bool FileExists(std::string_view path) = 0;
    virtual bool DirectoryExists(std::string_view path) = 0;
    // The folder with every missing parent; true when it exists afterwards.
    virtual bool ForceDirectories(std::string_view path) = 0;
    virtual bool DeleteFile(std::string_view path) = 0;
    // Moves or renames a file or folder; false when the target exists.
    virtual bool RenameFile(std::string_view from, std::string_view to) = 0;

    // The bytes of a file, and its lines broken at CR LF, lone CR or lone LF.
    virtual std::string ReadText(std::string_view path) = 0;
    virtual TStringList ReadLines(std::string_view path) = 0;
    // Creates or replaces the file with exactly these bytes.
    virtual void WriteText(std::string_view path, std::string_view text) = 0;
    // Adds the bytes at the end, creating the file when it is missing.
    virtual void AppendText(std::string_view path, std::string_view text) = 0;
    // Opens the file for appending, creating it empty when it is missing.
    virtual std::unique_ptr<IAppendFile> OpenAppend(std::string_view path) = 0;

    virtual long long FileSize(std::string_view path) = 0;
    // The time of the last change, local time.
    virtual TDateTime FileAge(std::string_view path) = 0;

    // Read-only is the absence of write permission; nothing when the file cannot be examined.
    virtual std::optional<bool> IsReadOnly(std::string_view path) = 0;
    virtual bool SetReadOnly(std::string_view path, bool readOnly) = 0;

    // Files and folders in a folder, "." and ".." left out, sorted by name.
    virtual std::vector<TFolderEntry> ListFolder(std::string_view path) = 0;
};

IFileService& Files();
// Puts a file service in place (nullptr: the Linux one) and returns the previous one.
std::shared_ptr<IFileService> SetFiles(std::shared_ptr<IFileService> files);

} // namespace tarnwick::os
