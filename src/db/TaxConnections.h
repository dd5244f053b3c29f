#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

// The server named by a connection string's "Data Source" (exact case), trimmed; empty
// when the string names none.
std::string ExtractDataSource(std::string_view connectionString);

} // namespace tarnwick
