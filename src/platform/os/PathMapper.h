#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace tarnwick::os {

// The system keeps Windows-style paths in its texts ("\\SRV01\Share\Logs\", "C:\Apps\Tax\");
// the mapper turns them into local paths:
//   \\SERVER\share\rest  ->  <unc root>/SERVER/share/rest
//   X:\rest              ->  <drive root>/x/rest
//   /posix/path          ->  itself (a backslash inside counts as a separator too)
//   relative             ->  taken from the current folder
// Texts are Windows-1252; local paths are the file system's UTF-8 bytes.
class IPathMapper {
public:
    virtual ~IPathMapper() = default;

    // The absolute form of a path in its own style: "." and ".." resolved, repeated
    // separators collapsed, a trailing separator kept. Empty stays empty.
    virtual std::string ExpandFileName(std::string_view path) const = 0;

    // The local path. A component whose exact name is missing is matched without regard
    // to case against the folder's entries, as Windows file names are. Empty for a UNC path
    // without a server or a share, which names nothing.
    virtual std::string LocalPath(std::string_view path) const = 0;
};

// Where UNC shares and drive letters live on this machine.
struct TPathRoots {
    std::string UncRoot;
    std::string DriveRoot;

    // TARNWICK_UNC_ROOT and TARNWICK_DRIVE_ROOT, else /srv/tarnwick/unc and /srv/tarnwick/drives.
    static TPathRoots FromEnvironment();
};

class TPathMapper : public IPathMapper {
public:
    explicit TPathMapper(TPathRoots roots);

    std::string ExpandFileName(std::string_view path) const override;
    std::string LocalPath(std::string_view path) const override;

private:
    TPathRoots roots_;
};

IPathMapper& PathMapper();
// Puts a mapper in place (nullptr: one made from the environment) and returns the previous one.
std::shared_ptr<IPathMapper> SetPathMapper(std::shared_ptr<IPathMapper> mapper);

// Helpers on the text of a path, in the path's own style.
bool IsWindowsStylePath(std::string_view path);
char PathDelimiterOf(std::string_view path);
std::string IncludeTrailingPathDelimiter(std::string_view path);

} // namespace tarnwick::os
