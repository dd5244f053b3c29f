#pragma once

#include <string>

namespace tarnwick {

// The release as a person reads it, "2025 R2", followed by the suite's special-version
// name when MasterSettings has one.
std::string GetDisplayVersion();

// A blank, the display version and, for test builds, the kind of build with the program
// file's date. Worked out once and kept for the whole run.
std::string VersionSuffix();
// Forgets the kept suffix, for tests that start the program afresh.
void ResetVersionSuffix();

} // namespace tarnwick
