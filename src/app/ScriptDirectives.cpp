#include "app/UpgradeForm.h"

#include "diag/CrashReportHandOff.h"
#include "platform/core/Exceptions.h"
#include "platform/os/Resource.h"
#include "suite/DisplayVersion.h"

namespace tarnwick {

namespace {

// Raised when the program carries no script to run.
TARNWICK_EXCEPTION(EScriptMissing, Exception);

// The text from a 0-based position to the end, empty past the end.
std::string From(const std::string& text, std::size_t start)
{
    return start < text.size() ? text.substr(start) : std::string();
}

std::string DropLast(std::string text)
{
    if (!text.empty()) text.pop_back();
    return text;
}

std::string WithoutApostrophes(const std::string& text) { return ReplaceAll(text, "'", ""); }

} // namespace

void TUpgradeForm::LoadScript()
{
    try {
        const auto script = os::LoadRawResource(ScriptResourceName);
        if (!script) throw EScriptMissing("The program carries no script resource.");
        // A NUL ends the script text.
        ScriptLines = SplitLines(std::string_view(*script).substr(0, script->find('\0')));
        ScanDirectives();
        window_->SetButtonEnabled(ui::TWindowButton::btnUpdate, true);
    } catch (const EScriptMissing&) {
        ReportCurrentException(false);
        window_->ClearMessages();
        window_->AddMessage("No script has been assigned - Nothing to do.");
    } catch (...) {
        ReportCurrentException(false);
        window_->ClearMessages();
        window_->AddMessage("There was an error preparing the script.");
        window_->AddMessage(MessageOf(std::current_exception()));
    }
}

void TUpgradeForm::ScanDirectives()
{
    std::string description;
    for (std::size_t i = 0; i < ScriptLines.size(); ++i) {
        const std::string version = Trim(VersionSuffix()).substr(0, 6);
        const std::string line = ReplaceText(ScriptLines[i], "[VERSION]", version);
        auto at = [&line](std::string_view token) { return line.find(token); };
        constexpr auto none = std::string::npos;

        if (at("[NOLOGOUT]") != none) {
            CheckUsers = false;
            window_->ClearMessages();
            for (const char* text : {WelcomeLine, "", "Click Run to begin.", ""}) window_->AddMessage(text);
        }
        if (const auto p = at("[FULL-VERSION-UPDATE]"); p != none) FullVersion = DropLast(From(line, p + 22));
        if (const auto p = at("[TITLE]"); p != none) window_->SetCaption(DropLast(From(line, p + 7)));
        if (const auto p = at("[DESC]"); p != none) {
            const std::string value = DropLast(From(line, p + 7));
            description = description.empty() ? value : description + std::string(CRLF) + value;
        }
        if (at("[NOBACKUP]") != none) NoBackup = true;
        if (at("[FIXESBROKEN]") != none) {
            FixesBroken = true;
            NoBackup = true;
        }
        if (const auto p = at("[RESTRICTED-VERSIONS]="); p != none)
            RestrictedVersions = WithoutApostrophes(From(line, p + 22));
        if (const auto p = at("[FRIENDLY-RESTRICTION]="); p != none)
            FriendlyRestriction = WithoutApostrophes(From(line, p + 23));
        if (at("[SAVETOFILE]") != none) SaveResultsToFile = true;
        if (const auto p = at("[RUN_AGAINST_DATASETS]="); p != none) {
            RunAgainstDatasets = true;
            // Up to the line's last non-blank character, which closes the PRINT's quote.
            const long long length =
                static_cast<long long>(Trim(line).size()) - static_cast<long long>(p) - 24;
            ParseDatasetList(length > 0 ? line.substr(p + 23, static_cast<std::size_t>(length))
                                        : std::string());
        }
        if (const auto p = at("[PROMPT]"); p != none) {
            AddPrompt(From(line, p + 8));
            ScriptLines[i].clear();
        }
        if (at("[NOQUERY]") != none) NoQuery = true;
    }
    if (!description.empty()) window_->SetMessageLine(0, description);
}

void TUpgradeForm::AddPrompt(std::string_view value) { Prompts.push_back(ParsePrompt(value)); }

void TUpgradeForm::AskPrompts() { tarnwick::AskPrompts(Prompts, ScriptLines); }

} // namespace tarnwick
