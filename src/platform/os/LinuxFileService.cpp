#include "platform/os/LinuxFileService.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Format.h"
#include "platform/core/ServiceSlot.h"
#include "platform/os/FileHandle.h"
#include "platform/os/LocalNames.h"
#include "platform/os/PathMapper.h"
#include "platform/os/SystemError.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarnwick::os {

namespace {

constexpr mode_t WriteBits = S_IWUSR | S_IWGRP | S_IWOTH;

std::string Local(std::string_view path) { return PathMapper().LocalPath(path); }

bool Stat(const std::string& localPath, struct stat& info) { return stat(localPath.c_str(), &info) == 0; }

[[noreturn]] void Raise(const char* pattern, std::string_view path, int errorCode)
{
    throw EInOutError(Format(pattern, {path, SysErrorMessage(errorCode)}));
}

void WriteAll(const TFileHandle& file, std::string_view text, std::string_view path)
{
    while (!text.empty()) {
        ssize_t written = write(file.Get(), text.data(), text.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            Raise("Cannot write to file \"%s\". %s", path, errno);
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
}

// Opens a file for writing. A read-only file refuses, as it does on Windows, even where the
// permission bits would let this account (root) write.
TFileHandle OpenForWriting(std::string_view path, int flags)
{
    std::string local = Local(path);
    struct stat info;
    if (Stat(local, info) && (info.st_mode & S_IWUSR) == 0)
        Raise("Cannot create file \"%s\". %s", path, EACCES);
    TFileHandle file(open(local.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | flags, 0666));
    if (!file.Valid()) Raise("Cannot create file \"%s\". %s", path, errno);
    return file;
}

void WriteFile(std::string_view path, std::string_view text, int flags)
{
    TFileHandle file = OpenForWriting(path, flags);
    WriteAll(file, text, path);
    if (!file.Close()) Raise("Cannot write to file \"%s\". %s", path, errno);
}

struct stat StatOrRaise(std::string_view path)
{
    struct stat info;
    if (!Stat(Local(path), info)) Raise("Cannot read the attributes of \"%s\". %s", path, errno);
    return info;
}

// Takes a shared lock on the file for the time of its deletion, so that an exclusive holder
// (IFileLocks) keeps its file and nobody can take it exclusively while it goes. False when a
// holder has it; a file that cannot be opened to test is not held.
bool LockForDeletion(const std::string& localPath, TFileHandle& probe)
{
    probe = TFileHandle(open(localPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    if (!probe.Valid()) return true;
    struct flock lock = {};
    lock.l_type = F_RDLCK;
    lock.l_whence = SEEK_SET;
    return fcntl(probe.Get(), F_OFD_SETLK, &lock) == 0 || (errno != EAGAIN && errno != EACCES);
}

bool Exists(const std::string& localPath)
{
    struct stat info;
    return lstat(localPath.c_str(), &info) == 0;
}

} // namespace

bool TLinuxFileService::FileExists(std::string_view path)
{
    struct stat info;
    return !path.empty() && Stat(Local(path), info) && !S_ISDIR(info.st_mode);
}

bool TLinuxFileService::DirectoryExists(std::string_view path)
{
    struct stat info;
    return !path.empty() && Stat(Local(path), info) && S_ISDIR(info.st_mode);
}

bool TLinuxFileService::ForceDirectories(std::string_view path)
{
    if (path.empty()) return false;
    std::string local = Local(path);
    for (std::size_t slash = local.find('/', 1);; slash = local.find('/', slash + 1)) {
        std::string folder = local.substr(0, slash);
        if (mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST) return false;
        if (slash == std::string::npos) break;
    }
    return DirectoryExists(path);
}

bool TLinuxFileService::DeleteFile(std::string_view path)
{
    std::string local = Local(path);
    struct stat info;
    if (lstat(local.c_str(), &info) != 0) return false;
    if (S_ISDIR(info.st_mode)) {
        errno = EISDIR;
        return false;
    }
    if (!S_ISLNK(info.st_mode) && (info.st_mode & S_IWUSR) == 0) {
        errno = EACCES;
        return false;
    }
    TFileHandle probe;
    if (S_ISREG(info.st_mode) && !LockForDeletion(local, probe)) {
        errno = EBUSY;
        return false;
    }
    return unlink(local.c_str()) == 0;
}

bool TLinuxFileService::RenameFile(std::string_view from, std::string_view to)
{
    std::string source = Local(from);
    std::string target = Local(to);
    if (renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL) return false;
    // File systems without the no-replace flag: test first.
    if (Exists(target)) {
        errno = EEXIST;
        return false;
    }
    return rename(source.c_str(), target.c_str()) == 0;
}

std::string TLinuxFileService::ReadText(std::string_view path)
{
    TFileHandle file(open(Local(path).c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.Valid()) Raise("Cannot open file \"%s\". %s", path, errno);
    std::string text;
    char buffer[65536];
    for (;;) {
        ssize_t got = read(file.Get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            Raise("Cannot read file \"%s\". %s", path, errno);
        }
        if (got == 0) break;
        text.append(buffer, static_cast<std::size_t>(got));
    }
    return text;
}

TStringList TLinuxFileService::ReadLines(std::string_view path) { return SplitLines(ReadText(path)); }

void TLinuxFileService::WriteText(std::string_view path, std::string_view text)
{
    WriteFile(path, text, O_TRUNC);
}

void TLinuxFileService::AppendText(std::string_view path, std::string_view text)
{
    WriteFile(path, text, O_APPEND);
}

namespace {
class TAppendFile : public IAppendFile {
public:
    TAppendFile(std::string_view path, TFileHandle file) : path_(path), file_(std::move(file)) {}
    void Write(std::string_view text) override { WriteAll(file_, text, path_); }

private:
    std::string path_;
    TFileHandle file_;
};
} // namespace

std::unique_ptr<IAppendFile> TLinuxFileService::OpenAppend(std::string_view path)
{
    return std::make_unique<TAppendFile>(path, OpenForWriting(path, O_APPEND));
}

long long TLinuxFileService::FileSize(std::string_view path) { return StatOrRaise(path).st_size; }

TDateTime TLinuxFileService::FileAge(std::string_view path)
{
    struct stat info = StatOrRaise(path);
    struct tm local;
    localtime_r(&info.st_mtim.tv_sec, &local);
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           EncodeTime(local.tm_hour, local.tm_min, local.tm_sec,
                      static_cast<int>(info.st_mtim.tv_nsec / 1000000));
}

std::optional<bool> TLinuxFileService::IsReadOnly(std::string_view path)
{
    struct stat info;
    if (path.empty() || !Stat(Local(path), info)) return std::nullopt;
    return (info.st_mode & S_IWUSR) == 0;
}

bool TLinuxFileService::SetReadOnly(std::string_view path, bool readOnly)
{
    std::string local = Local(path);
    struct stat info;
    if (!Stat(local, info)) return false;
    // Clearing gives write permission back to the owner only; group and others stay as the
    // folder's policy left them.
    mode_t mode = readOnly ? (info.st_mode & ~WriteBits) : (info.st_mode | S_IWUSR);
    return chmod(local.c_str(), mode & 07777) == 0;
}

std::vector<TFolderEntry> TLinuxFileService::ListFolder(std::string_view path)
{
    std::string local = Local(path);
    std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(local.c_str()), closedir);
    if (!dir) Raise("Cannot list the folder \"%s\". %s", path, errno);
    std::vector<TFolderEntry> entries;
    while (dirent* entry = readdir(dir.get())) {
        std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        struct stat info;
        bool isFolder = Stat(local + "/" + name, info) && S_ISDIR(info.st_mode);
        entries.push_back({AnsiFromLocalName(name), isFolder});
    }
    std::sort(entries.begin(), entries.end(),
              [](const TFolderEntry& a, const TFolderEntry& b) { return CompareText(a.Name, b.Name) < 0; });
    return entries;
}

namespace {
TServiceSlot<IFileService>& Slot()
{
    static TServiceSlot<IFileService> slot(MakeService<IFileService, TLinuxFileService>);
    return slot;
}
} // namespace

IFileService& Files() { return Slot().Get(); }

std::shared_ptr<IFileService> SetFiles(std::shared_ptr<IFileService> files)
{
    return Slot().Set(std::move(files));
}

} // namespace tarnwick::os
