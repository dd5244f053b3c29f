#include "suite/ProgramLauncher.h"

#include "app/CommonDialogs.h"
#include "backup/SiblingPrograms.h"
#include "platform/os/Process.h"
#include "platform/ui/Toolkit.h"
#include "suite/TaxSuiteStatus.h"

namespace tarnwick {

namespace {

constexpr int WaitSliceMs = 1;

int& ExitCodeOfLastWait()
{
    static int code = 0;
    return code;
}

std::unique_ptr<os::IProcess> Start(std::string_view commandLine, int showMode, bool quote,
                                    std::string_view workingFolder)
{
    const std::string line = quote ? QuoteProgramPath(commandLine) : std::string(commandLine);
    return os::Processes().Start(line, showMode, workingFolder);
}

} // namespace

std::string QuoteProgramPath(std::string_view c)
{
    if (c.empty() || c.front() == '"' || c.back() == '"') return std::string(c);
    const std::size_t lastDelimiter = c.find_last_of("\\:");
    if (lastDelimiter == std::string_view::npos) return std::string(c);
    const std::size_t folderLength = lastDelimiter + 1;
    // The first blank at or after the folder's last character.
    const std::size_t blank = c.find(' ', folderLength - 1);
    if (blank == std::string_view::npos) return "\"" + std::string(c) + "\"";
    return "\"" + std::string(c.substr(0, blank)) + "\"" + std::string(c.substr(blank));
}

bool StartProgram(std::string_view commandLine, int showMode, bool quote, std::string_view workingFolder)
{
    return Start(commandLine, showMode, quote, workingFolder) != nullptr;
}

bool RunProgramAndWait(std::string_view commandLine, int showMode, bool quote, std::string_view workingFolder)
{
    const std::unique_ptr<os::IProcess> process = Start(commandLine, showMode, quote, workingFolder);
    if (!process) return false;
    ui::IToolkit& toolkit = ui::Toolkit();
    while (!process->WaitFor(WaitSliceMs)) {
        if (toolkit.Terminated()) toolkit.Halt(0);
        toolkit.ProcessMessages();
    }
    ExitCodeOfLastWait() = process->ExitCode();
    return true;
}

int LastExitCode() { return ExitCodeOfLastWait(); }

void RunInstallationChecker(int switchIndex)
{
    const TTaxSuiteStatus* status = GetSuiteStatus();
    const std::string toolsDir = status ? status->ToolsDir : std::string();
    const std::string commandLine =
        toolsDir + std::string(InstallCheckerFile) + " " +
        std::string(InstallCheckerSwitches.at(static_cast<std::size_t>(switchIndex)).Switch);
    if (StartProgram(commandLine, smNormal, true, toolsDir)) {
        ui::IToolkit& toolkit = ui::Toolkit();
        toolkit.Minimize();
        toolkit.ProcessMessages();
        toolkit.Terminate();
        return;
    }
    ShowErrorBox(
        "Unable to run Vexholm Installation Checker.\n\rPlease check that Vexholm Taxation was installed "
        "correctly.");
}

} // namespace tarnwick
