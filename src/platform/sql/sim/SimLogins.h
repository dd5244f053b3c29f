#pragma once

#include <optional>
#include <string>
#include <vector>

// The SQL Server logins a simulated server knows: the suite's three.
namespace tarnwick::sql::sim {

struct TSimLogin {
    std::string Name;
    std::string Password;
    // Server-level rights: configuration, xp_cmdshell, ALTER DATABASE, backup and restore.
    bool Sysadmin = false;
};

const std::vector<TSimLogin>& SimLogins();
// Found without regard to case, as SQL Server compares login names.
std::optional<TSimLogin> FindSimLogin(const std::string& name);

} // namespace tarnwick::sql::sim
