#include "platform/os/PathMapper.h"

#include "platform/core/ServiceSlot.h"
#include "platform/core/Strings.h"
#include "platform/os/Environment.h"
#include "platform/os/LocalNames.h"

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tarnwick::os {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }
bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsUncPath(std::string_view path) { return path.size() >= 2 && path[0] == '\\' && path[1] == '\\'; }
bool IsDrivePath(std::string_view path)
{
    return path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == ':';
}

enum class TPathKind { Unc, Drive, Posix };

// An absolute path taken apart: its kind, the drive letter, and its components after "." and
// ".." were applied. The UNC server and share are the first two components and ".." never
// climbs above them, as it never climbs above a drive's root.
struct TAbsolutePath {
    TPathKind Kind = TPathKind::Posix;
    char Drive = 0;
    std::vector<std::string> Components;
    bool TrailingSeparator = false;
};

void AppendComponents(std::string_view text, std::size_t floor, std::vector<std::string>& components)
{
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = start;
        while (end < text.size() && !IsSeparator(text[end])) ++end;
        std::string_view part = text.substr(start, end - start);
        if (part == "..") {
            if (components.size() > floor) components.pop_back();
        } else if (!part.empty() && part != ".") {
            components.emplace_back(part);
        }
        start = end + 1;
    }
}

std::string CurrentFolder()
{
    std::vector<char> buffer(4096);
    while (!getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE) return "/";
        buffer.resize(buffer.size() * 2);
    }
    return AnsiFromLocalName(buffer.data());
}

TAbsolutePath Parse(std::string_view path)
{
    TAbsolutePath result;
    result.TrailingSeparator = !path.empty() && IsSeparator(path.back());
    if (IsUncPath(path)) {
        result.Kind = TPathKind::Unc;
        AppendComponents(path.substr(2), 2, result.Components);
    } else if (IsDrivePath(path)) {
        result.Kind = TPathKind::Drive;
        result.Drive = path[0];
        AppendComponents(path.substr(2), 0, result.Components);
    } else if (IsSeparator(path[0])) {
        AppendComponents(path, 0, result.Components);
    } else {
        AppendComponents(CurrentFolder(), 0, result.Components);
        AppendComponents(path, 0, result.Components);
    }
    return result;
}

std::string Join(const std::vector<std::string>& components, char separator)
{
    std::string text;
    for (std::size_t i = 0; i < components.size(); ++i) {
        if (i > 0) text += separator;
        text += components[i];
    }
    return text;
}

std::string Compose(const TAbsolutePath& path)
{
    std::string text;
    char separator = '/';
    switch (path.Kind) {
    case TPathKind::Unc:
        separator = '\\';
        text = "\\\\" + Join(path.Components, separator);
        break;
    case TPathKind::Drive:
        separator = '\\';
        text = std::string{path.Drive, ':', '\\'} + Join(path.Components, separator);
        break;
    case TPathKind::Posix:
        text = "/" + Join(path.Components, separator);
        break;
    }
    if (path.TrailingSeparator && !path.Components.empty()) text += separator;
    return text;
}

bool Exists(const std::string& localPath)
{
    struct stat info;
    return lstat(localPath.c_str(), &info) == 0;
}

// The entry of folder whose name matches name without regard to case; the first in sorted
// order when several do, so the choice never depends on the folder's order.
std::string FindEntryIgnoringCase(const std::string& folder, const std::string& name)
{
    std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.empty() ? "/" : folder.c_str()), closedir);
    if (!dir) return {};
    std::string found;
    while (dirent* entry = readdir(dir.get())) {
        std::string candidate = entry->d_name;
        if (SameText(AnsiFromLocalName(candidate), name) && (found.empty() || candidate < found))
            found = candidate;
    }
    return found;
}

std::string Resolve(std::string base, const std::vector<std::string>& components)
{
    bool resolving = true;
    for (const std::string& component : components) {
        std::string exact = base + "/" + LocalNameFromAnsi(component);
        if (resolving && !Exists(exact)) {
            std::string match = FindEntryIgnoringCase(base, component);
            if (match.empty()) {
                resolving = false;
            } else {
                exact = base + "/" + match;
            }
        }
        base = std::move(exact);
    }
    return base.empty() ? "/" : base;
}

std::string WithoutTrailingSlash(std::string path)
{
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

} // namespace

TPathRoots TPathRoots::FromEnvironment()
{
    return {EnvironmentOr("TARNWICK_UNC_ROOT", "/srv/tarnwick/unc"),
            EnvironmentOr("TARNWICK_DRIVE_ROOT", "/srv/tarnwick/drives")};
}

TPathMapper::TPathMapper(TPathRoots roots)
    : roots_{WithoutTrailingSlash(std::move(roots.UncRoot)), WithoutTrailingSlash(std::move(roots.DriveRoot))}
{
}

std::string TPathMapper::ExpandFileName(std::string_view path) const
{
    return path.empty() ? std::string() : Compose(Parse(path));
}

std::string TPathMapper::LocalPath(std::string_view path) const
{
    if (path.empty()) return {};
    TAbsolutePath absolute = Parse(path);
    // "\\\Share\x" (no server) or "\\SRV01" (no share) names nothing on Windows; nothing here either.
    if (absolute.Kind == TPathKind::Unc &&
        ((path.size() > 2 && IsSeparator(path[2])) || absolute.Components.size() < 2))
        return {};
    switch (absolute.Kind) {
    case TPathKind::Unc:
        return Resolve(roots_.UncRoot, absolute.Components);
    case TPathKind::Drive:
        absolute.Components.insert(absolute.Components.begin(), std::string(1, LowerChar(absolute.Drive)));
        return Resolve(roots_.DriveRoot, absolute.Components);
    case TPathKind::Posix:
        break;
    }
    return Resolve("", absolute.Components);
}

namespace {
// The default reads its places from the environment, again whenever it is put back.
std::shared_ptr<IPathMapper> MakePathMapper()
{
    return std::make_shared<TPathMapper>(TPathRoots::FromEnvironment());
}

TServiceSlot<IPathMapper>& Slot()
{
    static TServiceSlot<IPathMapper> slot(MakePathMapper);
    return slot;
}
} // namespace

IPathMapper& PathMapper() { return Slot().Get(); }

std::shared_ptr<IPathMapper> SetPathMapper(std::shared_ptr<IPathMapper> service)
{
    return Slot().Set(std::move(service));
}

bool IsWindowsStylePath(std::string_view path) { return IsUncPath(path) || IsDrivePath(path); }

char PathDelimiterOf(std::string_view path) { return !path.empty() && path[0] == '/' ? '/' : '\\'; }

std::string IncludeTrailingPathDelimiter(std::string_view path)
{
    std::string result(path);
    if (!result.empty() && !IsSeparator(result.back())) result += PathDelimiterOf(path);
    return result;
}

} // namespace tarnwick::os
