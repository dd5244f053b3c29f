#pragma once

#include <string_view>

namespace tarnwick {

// The file's attributes can be read and say read-only.
bool IsReadOnlyFile(std::string_view path);
// True when the file is not read-only any more (or never was).
bool ClearReadOnly(std::string_view path);
// True when no file of that name is left: a missing file counts, a read-only one is cleared
// before it is deleted.
bool DeleteFileIfPresent(std::string_view path);

} // namespace tarnwick
