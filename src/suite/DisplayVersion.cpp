#include "suite/DisplayVersion.h"

#include "db/TaxModule.h"
#include "diag/CrashReportHandOff.h"
#include "platform/core/DateTime.h"
#include "platform/core/Exceptions.h"
#include "platform/os/FileService.h"
#include "platform/os/Process.h"
#include "suite/AppInfo.h"

#include <optional>

namespace tarnwick {

namespace {

std::optional<std::string>& CachedSuffix()
{
    static std::optional<std::string> suffix;
    return suffix;
}

TDateTime ProgramFileDate() { return os::Files().FileAge(os::ProgramFileName()); }

} // namespace

std::string GetDisplayVersion()
{
    std::string special;
    try {
        special = GetTaxModule().MasterCon.GetScalarString(
            "SELECT Value FROM MasterSettings WHERE Name='SpecialVersion'");
    } catch (const EOleException&) {
        ReportCurrentException(false);
    }
    std::string text = FormatVersionText(GetAppFileVersion());
    if (!special.empty()) text += " " + special;
    return text;
}

std::string VersionSuffix()
{
    std::optional<std::string>& cached = CachedSuffix();
    if (cached) return *cached;
    std::string suffix = " " + GetDisplayVersion();
    switch (GetAppBuildKind()) {
    case 2:
    case 3:
    case bkRelease:
    case bkSystemTestHelpOverride:
        break;
    case 1:
        suffix += " - DEV " + DateTimeToStr(ProgramFileDate());
        break;
    case bkSystemTest:
        suffix += " - SYSTEM TEST " + DateToStr(ProgramFileDate());
        break;
    default:
        suffix += " - UNKNOWN " + DateTimeToStr(ProgramFileDate());
        break;
    }
    cached = suffix;
    return suffix;
}

void ResetVersionSuffix() { CachedSuffix().reset(); }

} // namespace tarnwick
