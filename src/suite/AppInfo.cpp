#include "suite/AppInfo.h"

#include "platform/core/DateTime.h"
#include "platform/core/Format.h"
#include "platform/core/Strings.h"
#include "platform/os/Process.h"
#include "suite/SuiteEnvironment.h"
#include "suite/VersionResource.h"
#include "suite/VexholmRegistry.h"

namespace tarnwick {

namespace {

struct TAppInfo {
    bool Initialised = false;
    std::string FileVersion;
    std::string Description;
    int BuildKind = bkUnclassified;
    bool Beta = false;
};

TAppInfo& AppInfo()
{
    static TAppInfo info;
    return info;
}

constexpr int PreReleaseFlag = 0;
constexpr int PrivateBuildFlag = 1;
constexpr int DebugFlag = 3;

} // namespace

void InitialiseAppInfo()
{
    TAppInfo& info = AppInfo();
    if (info.Initialised) return;
    InitialiseSuiteEnvironment();
    const std::string program = os::ProgramFileName();
    info.FileVersion = GetVersionInfoText(program, 2);
    info.Description = GetVersionInfoText(program, 1);
    info.BuildKind = DetermineBuildKind();
    info.Beta = HasFileFlag(PreReleaseFlag) && info.BuildKind != bkSystemTestHelpOverride;
    info.Initialised = true;
}

void FinaliseAppInfo() { AppInfo() = TAppInfo{}; }

std::string GetAppFileVersion() { return AppInfo().FileVersion; }
std::string GetAppDescription() { return AppInfo().Description; }
int GetAppBuildKind() { return AppInfo().BuildKind; }
bool AppIsBeta() { return AppInfo().Beta; }

int DetermineBuildKind()
{
    // Tarnwick is always a program, never a library, so the library rule (kind 5) never applies.
    if (HasFileFlag(DebugFlag) || HasFileFlag(PrivateBuildFlag) ||
        GetVersionInfoText(os::ProgramFileName(), 1) == "< No Version Info >")
        return bkUnclassified;
    if (!RegistryKeyExists(HKEY_CURRENT_USER, SystemTestKey)) return bkRelease;

    FormatSettings().DateSeparator = '/';
    FormatSettings().ShortDateFormat = "dd/mm/yyyy";
    const std::string today = DateToStr(Date());
    if (ReadRegistryString(HKEY_CURRENT_USER, HelpOverrideKey, "Date") == today)
        return bkSystemTestHelpOverride;
    DeleteRegistryKeyTree(HKEY_CURRENT_USER, HelpOverrideKey);
    return bkSystemTest;
}

std::string FormatVersionText(std::string_view version)
{
    const std::size_t dot = version.find('.');
    const std::size_t p = dot == std::string_view::npos ? 0 : dot + 1;
    const std::string t = "v" + std::string(version.substr(0, p + 1));
    std::string text;
    if (t >= "v24.0") {
        const int major = StrToInt(version.substr(0, p == 0 ? 0 : p - 1));
        text = IntToStr(major + 1997);
        if (t.back() != '0') text += " R" + std::string(1, static_cast<char>(t.back() + 1));
    } else if (t >= "v11.1") {
        text = t;
        text.insert(text.size() - 1, "0");
    } else {
        text = t;
    }
    if (AppIsBeta()) text += " Beta";
    return text;
}

} // namespace tarnwick
