#include "platform/os/ExclusiveFile.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Format.h"
#include "platform/core/ServiceSlot.h"
#include "platform/os/FileHandle.h"
#include "platform/os/PathMapper.h"
#include "platform/os/SystemError.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarnwick::os {

namespace {

class TLockedFile : public IExclusiveFile {
public:
    TLockedFile(std::string path, TFileHandle handle) : path_(std::move(path)), handle_(std::move(handle)) {}
    const std::string& Path() const override { return path_; }

private:
    std::string path_;
    TFileHandle handle_;
};

[[noreturn]] void Raise(std::string_view path, int errorCode)
{
    throw EOSError(Format("Cannot create file \"%s\". %s", {path, SysErrorMessage(errorCode)}));
}

bool SameFile(int fd, const std::string& localPath)
{
    struct stat held, named;
    return fstat(fd, &held) == 0 && stat(localPath.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
           held.st_ino == named.st_ino;
}

class TLinuxFileLocks : public IFileLocks {
public:
    std::unique_ptr<IExclusiveFile> CreateExclusive(std::string_view path) override
    {
        std::string local = PathMapper().LocalPath(path);
        // Someone may delete the file as stale between our open and our lock; a lock on a
        // file that no longer has the name protects nothing, so open the name afresh.
        for (int attempt = 0; attempt < 10; ++attempt) {
            TFileHandle handle(open(local.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666));
            if (!handle.Valid()) Raise(path, errno);
            struct flock lock = {};
            lock.l_type = F_WRLCK;
            lock.l_whence = SEEK_SET;
            if (fcntl(handle.Get(), F_OFD_SETLK, &lock) != 0)
                Raise(path, errno == EACCES || errno == EAGAIN ? EBUSY : errno);
            if (!SameFile(handle.Get(), local)) continue;
            if (ftruncate(handle.Get(), 0) != 0) Raise(path, errno);
            return std::make_unique<TLockedFile>(std::string(path), std::move(handle));
        }
        Raise(path, EBUSY);
    }
};

TServiceSlot<IFileLocks>& Slot()
{
    static TServiceSlot<IFileLocks> slot(MakeService<IFileLocks, TLinuxFileLocks>);
    return slot;
}

} // namespace

IFileLocks& FileLocks() { return Slot().Get(); }

std::shared_ptr<IFileLocks> SetFileLocks(std::shared_ptr<IFileLocks> locks)
{
    return Slot().Set(std::move(locks));
}

} // namespace tarnwick::os
