#include "platform/sql/sim/SimLogins.h"

#include "platform/core/Strings.h"

namespace tarnwick::sql::sim {

const std::vector<TSimLogin>& SimLogins()
{
    static const std::vector<TSimLogin> logins = {
        {"TaxSoft", "Pw4n8Rz", false},
        {"TaxAdmin", "r8v3k2p6", true},
        {"TaxHard", "Mb7q2Lx", true},
    };
    return logins;
}

std::optional<TSimLogin> FindSimLogin(const std::string& name)
{
    for (const auto& login : SimLogins())
        if (SameText(login.Name, name)) return login;
    return std::nullopt;
}

} // namespace tarnwick::sql::sim
