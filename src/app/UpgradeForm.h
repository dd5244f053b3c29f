#pragma once

#include "app/ScriptPrompts.h"
#include "diag/ErrorLevelWriter.h"
#include "platform/core/Strings.h"
#include "platform/ui/UtilityWindow.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// The utility window: it loads the built-in script when first shown, applies the script's
// directives to its run settings and shows the update's title and description.
class TUpgradeForm : public ui::IUtilityWindowEvents {
public:
    static constexpr std::string_view DefaultCaption = "Vexholm Taxation Utility";
    static constexpr std::string_view LogFileName = "Tarnwick.log";
    static constexpr std::string_view ScriptResourceName = "SQLScript";

    // FormCreate: the window, its initial text and the run settings at their initial values.
    TUpgradeForm();
    // FormDestroy: the log writer (closing the log file) and the lists go with the form.
    ~TUpgradeForm() override;
    TUpgradeForm(const TUpgradeForm&) = delete;
    TUpgradeForm& operator=(const TUpgradeForm&) = delete;

    void FormShow() override;
    void btnUpdateClick() override;
    void btnCloseClick() override;
    void FormKeyPress(char key) override;

    // Loads the script resource, scans it and enables Run; failures are shown in the window.
    void LoadScript();
    void ScanDirectives();
    void AddPrompt(std::string_view value);
    void AskPrompts();
    void ParseDatasetList(std::string_view value);
    void RunAgainstDatasetBatches(const TStringList& lines);

    ui::IUtilityWindow& Window() const { return *window_; }

    // Run settings, filled by the directive scan.
    bool CheckUsers = true;
    std::string FullVersion;
    std::string RestrictedVersions;
    std::string FriendlyRestriction;
    bool NoBackup = false;
    bool FixesBroken = false;
    bool SaveResultsToFile = false;
    bool NoQuery = false;
    bool RunAgainstDatasets = false;

    TStringList ScriptLines;
    std::vector<TPrompt> Prompts;
    TStringList DatasetIds;
    std::unique_ptr<TErrorLevelWriter> LogWriter;

private:
    std::unique_ptr<ui::IUtilityWindow> window_;
};

// The first line of the welcome text.
inline constexpr const char* WelcomeLine = "Welcome to the Vexholm Taxation Utility program.";

// The six lines the message area starts with.
const TStringList& InitialMessageLines();

} // namespace tarnwick
