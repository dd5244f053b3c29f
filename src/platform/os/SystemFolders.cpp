#include "platform/os/SystemFolders.h"

#include "platform/core/ServiceSlot.h"
#include "platform/os/Environment.h"
#include "platform/os/LocalNames.h"
#include "platform/os/PathMapper.h"


namespace tarnwick::os {

namespace {

std::string Folder(const char* variable, const char* fallback)
{
    return IncludeTrailingPathDelimiter(AnsiFromLocalName(EnvironmentOr(variable, fallback)));
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
