#include "platform/sql/sim/SimRoot.h"

#include "platform/core/Strings.h"
#include "platform/os/Environment.h"

#include <cstdlib>
#include <mutex>
#include <unistd.h>

namespace tarnwick::sql::sim {

namespace {

std::mutex& RootMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::filesystem::path& ChosenRoot()
{
    static std::filesystem::path root;
    return root;
}

// The entry of a folder whose name equals the given one ignoring case, or the name itself.
std::filesystem::path ResolveComponent(const std::filesystem::path& folder, const std::string& name)
{
    std::error_code error;
    if (std::filesystem::exists(folder / name, error)) return folder / name;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (SameText(entry.path().filename().string(), name)) return entry.path();
    return folder / name;
}

} // namespace

std::filesystem::path SimRoot()
{
    {
        const std::lock_guard lock(RootMutex());
        if (!ChosenRoot().empty()) return ChosenRoot();
    }
    if (auto root = os::EnvironmentVariable("TARNWICK_SIM_ROOT")) return *root;
    return std::filesystem::path(os::EnvironmentOr("TMPDIR", "/tmp")) / "tarnwick-sim";
}

void SetSimRoot(const std::filesystem::path& root)
{
    const std::lock_guard lock(RootMutex());
    ChosenRoot() = root;
}

std::string ServerFolderName(std::string_view dataSource)
{
    std::string name = UpperCase(Trim(dataSource));
    for (char& c : name) {
        if (c == '\\')
            c = '$';
        else if (c == '/' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' ||
                 c == '|' || IsBlank(c))
            c = '_';
    }
    return name;
}

std::string LocalComputerName()
{
    char host[256] = {};
    if (gethostname(host, sizeof host - 1) != 0) return "LOCALHOST";
    std::string name = host;
    name = name.substr(0, name.find('.'));
    return UpperCase(name.substr(0, 15));
}

std::filesystem::path FindServerFolder(const std::filesystem::path& root, std::string_view dataSource)
{
    const std::string trimmed = Trim(dataSource);
    std::filesystem::path folder = root / ServerFolderName(trimmed);
    std::error_code error;
    if (std::filesystem::is_directory(folder, error)) return folder;
    const std::size_t slash = trimmed.find('\\');
    const std::string machine = trimmed.substr(0, slash);
    if (SameText(machine, "localhost") || machine == "." || SameText(machine, "(local)")) {
        const std::string instance = slash == std::string::npos ? std::string() : trimmed.substr(slash);
        const std::filesystem::path local = root / ServerFolderName(LocalComputerName() + instance);
        if (std::filesystem::is_directory(local, error)) return local;
    }
    return folder;
}

std::filesystem::path MapServerPath(const std::filesystem::path& diskRoot, std::string_view windowsPath)
{
    if (windowsPath.size() < 2 || windowsPath[1] != ':' ||
        !std::isalpha(static_cast<unsigned char>(windowsPath[0])))
        return {};
    const std::filesystem::path drive = diskRoot / std::string(1, LowerChar(windowsPath[0]));
    std::filesystem::path path = drive;
    std::string rest(windowsPath.substr(2));
    std::size_t start = 0;
    while (start <= rest.size()) {
        const std::size_t end = rest.find('\\', start);
        const std::string part =
            rest.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (part == "..")
            path = path.parent_path();
        else if (!part.empty() && part != ".")
            path = ResolveComponent(path, part);
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return path;
}

} // namespace tarnwick::sql::sim
