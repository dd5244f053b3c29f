#include "platform/os/SystemFolders.h"

#include "platform/core/ServiceSlot.h"
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

TServiceSlot<ISpecialFolders>& Slot()
{
    static TServiceSlot<ISpecialFolders> slot(MakeService<ISpecialFolders, TEnvironmentFolders>);
    return slot;
}

} // namespace

ISpecialFolders& SpecialFolders() { return Slot().Get(); }

std::shared_ptr<ISpecialFolders> SetSpecialFolders(std::shared_ptr<ISpecialFolders> folders)
{
    return Slot().Set(std::move(folders));
}

} // namespace tarnwick::os
