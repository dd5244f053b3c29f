#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace tarnwick::os {

// A file held open and locked against every other holder for as long as the object lives.
// The file service's DeleteFile refuses to delete a file held this way, by any process
// (this one too), so a holder's file survives "try to delete it" while a dead holder's
// file does not: the kernel drops the lock with the process.
class IExclusiveFile {
public:
    virtual ~IExclusiveFile() = default;
    virtual const std::string& Path() const = 0;
};

class IFileLocks {
public:
    virtual ~IFileLocks() = default;
    // Creates the file, or opens an existing one and empties it once the lock is ours.
    // EOSError naming the path when it cannot be opened or another holder has it.
    virtual std::unique_ptr<IExclusiveFile> CreateExclusive(std::string_view path) = 0;
};

IFileLocks& FileLocks();
// Puts a lock service in place (nullptr: the Linux one) and returns the previous one.
std::shared_ptr<IFileLocks> SetFileLocks(std::shared_ptr<IFileLocks> locks);

} // namespace tarnwick::os
