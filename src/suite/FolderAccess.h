#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tarnwick {

struct TDirFileAccessDescriptor {
    std::string_view Text;
};

// Why a folder lacks full access, indexed by the result of TestFolderAccess.
inline constexpr std::array<TDirFileAccessDescriptor, 6> FolderAccessReasons = {{
    {""},
    {"No create access"},
    {"No read access"},
    {"No modify access"},
    {"No delete acccess"},
    {"No find access"},
}};

// Creates, reads, modifies and deletes "filetest.tst" in the folder, under the machine-wide
// lock of that file's name, and gives the index of the first step that failed (0: full
// access). The failure's message is kept in LastAccessFailure. Raises EOSError only when
// the lock cannot be made or taken within five minutes.
int TestFolderAccess(std::string_view folder);
// The message of the last error TestFolderAccess caught; cleared when a test starts.
const std::string& LastAccessFailure();

} // namespace tarnwick
