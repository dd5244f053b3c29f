#include "platform/os/SpecialFolders.h"

#include "platform/os/LocalNames.h"
#include "platform/os/PathMapper.h"

#include <cstdlib>

namespace tarnwick::os {

namespace {

std::string Folder(const char* variable, const char* fallback)
{
    const char* value = std::getenv(variable);
    return IncludeTrailingPathDelimiter(AnsiFromLocalName(value && *value ? value : fallback));
}

class TEnvironmentFolders : public ISpecialFolders {
public:
    std::string TempFolder() override { return Folder("TMPDIR", "/tmp"); }
    std::string CommonAppDataFolder() override { return Folder("TARNWICK_COMMON_APPDATA", "/var/lib"); }
};

std::shared_ptr<ISpecialFolders>& Current()
{
    static std::shared_ptr<ISpecialFolders> folders = std::make_shared<TEnvironmentFolders>();
    return folders;
}

} // namespace

ISpecialFolders& SpecialFolders() { return *Current(); }

std::shared_ptr<ISpecialFolders> SetSpecialFolders(std::shared_ptr<ISpecialFolders> folders)
{
    auto previous = Current();
    Current() = folders ? std::move(folders) : std::make_shared<TEnvironmentFolders>();
    return previous;
}

} // namespace tarnwick::os
