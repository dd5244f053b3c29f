#include "platform/os/FileRegistryStore.h"

#include "platform/core/Format.h"
#include "platform/os/Environment.h"
#include "platform/os/FileHandle.h"
#include "platform/os/SystemError.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarnwick::os {

namespace {

[[noreturn]] void Raise(const char* pattern, const std::string& file, int errorCode)
{
    throw ERegistryException(Format(pattern, {file, SysErrorMessage(errorCode)}));
}

std::string ConfigFolder()
{
    if (auto config = EnvironmentVariable("XDG_CONFIG_HOME")) return *config;
    if (auto home = EnvironmentVariable("HOME")) return *home + "/.config";
    if (const passwd* account = getpwuid(getuid())) return std::string(account->pw_dir) + "/.config";
    return "/tmp";
}

void WriteAll(int fd, std::string_view text)
{
    while (!text.empty()) {
        ssize_t written = write(fd, text.data(), text.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
}

void Save(const std::string& file, const std::string& text)
{
    std::string temp = file + ".tmp" + IntToStr(getpid());
    TFileHandle handle(open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (!handle.Valid()) Raise("Cannot write the registry file \"%s\". %s", file, errno);
    struct stat previous;
    if (stat(file.c_str(), &previous) == 0) fchmod(handle.Get(), previous.st_mode & 07777);
    errno = 0;
    WriteAll(handle.Get(), text);
    int failure = errno;
    if (failure == 0 && fsync(handle.Get()) != 0) failure = errno;
    if (!handle.Close() && failure == 0) failure = errno;
    if (failure == 0 && rename(temp.c_str(), file.c_str()) != 0) failure = errno;
    if (failure != 0) {
        unlink(temp.c_str());
        Raise("Cannot write the registry file \"%s\". %s", file, failure);
    }
}

} // namespace

TRegistryFiles TRegistryFiles::FromEnvironment()
{
    return {EnvironmentOr("TARNWICK_REGISTRY_USER", ConfigFolder() + "/tarnwick/HKEY_CURRENT_USER.reg"),
            EnvironmentOr("TARNWICK_REGISTRY_MACHINE", "/etc/tarnwick/HKEY_LOCAL_MACHINE.reg")};
}

TFileRegistryStore::TFileRegistryStore(TRegistryFiles files) : files_(std::move(files)) {}

const std::string& TFileRegistryStore::FileOf(TRegistryRoot root) const
{
    return root == TRegistryRoot::HKEY_CURRENT_USER ? files_.CurrentUser : files_.LocalMachine;
}

TRegistryHive TFileRegistryStore::Load(TRegistryRoot root) const
{
    const std::string& file = FileOf(root);
    TFileHandle handle(open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (!handle.Valid()) {
        if (errno == ENOENT || errno == ENOTDIR) return TRegistryHive(root);
        Raise("Cannot read the registry file \"%s\". %s", file, errno);
    }
    std::string text;
    char buffer[16384];
    for (;;) {
        ssize_t got = read(handle.Get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) Raise("Cannot read the registry file \"%s\". %s", file, errno);
        if (got == 0) break;
        text.append(buffer, static_cast<std::size_t>(got));
    }
    return TRegistryHive::Parse(root, text, file);
}

bool TFileRegistryStore::Update(TRegistryRoot root, const std::function<bool(TRegistryHive&)>& change)
{
    const std::string& file = FileOf(root);
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(file).parent_path(), ignored);
    std::string lockFile = file + ".lock";
    TFileHandle lock(open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666));
    if (!lock.Valid()) Raise("Cannot lock the registry file \"%s\". %s", file, errno);
    while (flock(lock.Get(), LOCK_EX) != 0)
        if (errno != EINTR) Raise("Cannot lock the registry file \"%s\". %s", file, errno);
    TRegistryHive hive = Load(root);
    if (!change(hive)) return false;
    Save(file, hive.Text());
    return true;
}

bool TFileRegistryStore::KeyExists(TRegistryRoot root, std::string_view key)
{
    return Load(root).Find(key) != nullptr;
}

void TFileRegistryStore::CreateKey(TRegistryRoot root, std::string_view key)
{
    Update(root, [&](TRegistryHive& hive) {
        bool existed = hive.Find(key) != nullptr;
        hive.Ensure(key);
        return !existed;
    });
}

std::optional<TRegistryValue> TFileRegistryStore::ReadValue(TRegistryRoot root, std::string_view key,
                                                            std::string_view name)
{
    TRegistryHive hive = Load(root);
    TRegistryHive::TKey* found = hive.Find(key);
    if (!found) return std::nullopt;
    auto* value = TRegistryHive::FindValue(*found, name);
    return value ? std::optional<TRegistryValue>(value->Value) : std::nullopt;
}

void TFileRegistryStore::WriteValue(TRegistryRoot root, std::string_view key, std::string_view name,
                                    const TRegistryValue& value)
{
    Update(root, [&](TRegistryHive& hive) {
        TRegistryHive::SetValue(hive.Ensure(key), name, value);
        return true;
    });
}

TStringList TFileRegistryStore::SubKeyNames(TRegistryRoot root, std::string_view key)
{
    TRegistryHive hive = Load(root);
    TStringList names;
    if (TRegistryHive::TKey* found = hive.Find(key))
        for (const auto& sub : found->SubKeys) names.push_back(sub->Name);
    return names;
}

bool TFileRegistryStore::DeleteKey(TRegistryRoot root, std::string_view key)
{
    return Update(root, [&](TRegistryHive& hive) { return hive.Remove(key); });
}

} // namespace tarnwick::os
