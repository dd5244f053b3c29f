#include "suite/FileUtilities.h"

#include "platform/os/FileService.h"

namespace tarnwick {

bool IsReadOnlyFile(std::string_view path) { return os::Files().IsReadOnly(path).value_or(false); }

bool ClearReadOnly(std::string_view path)
{
    if (!IsReadOnlyFile(path)) return true;
    return os::Files().SetReadOnly(path, false);
}

bool DeleteFileIfPresent(std::string_view path)
{
    if (!os::Files().FileExists(path)) return true;
    return ClearReadOnly(path) && os::Files().DeleteFile(path);
}

} // namespace tarnwick
