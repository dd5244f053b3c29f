#include "app/UpgradeForm.h"

#include "platform/ui/Toolkit.h"
#include "suite/TaxSuiteStatus.h"

namespace tarnwick {

const TStringList& InitialMessageLines()
{
    static const TStringList lines = {
        WelcomeLine,
        "",
        "1)  Make sure that all users are logged out of all Vexholm Taxation applications and Vexholm ",
        "Client Desk.",
        "",
        "2)  Click Run to begin.",
    };
    return lines;
}

TUpgradeForm::TUpgradeForm()
{
    window_ = ui::Toolkit().NewUtilityWindow(*this);
    window_->SetCaption(DefaultCaption);
    window_->ClearMessages();
    for (const auto& line : InitialMessageLines()) window_->AddMessage(line);
    window_->SetButtonEnabled(ui::TWindowButton::btnUpdate, false);
    const TTaxSuiteStatus* status = GetSuiteStatus();
    LogWriter = std::make_unique<TErrorLevelWriter>(
        (status ? status->LogsDir : std::string()) + std::string(LogFileName), true, true);
}

TUpgradeForm::~TUpgradeForm() = default;

void TUpgradeForm::FormShow() { LoadScript(); }

// Run drives the whole update; that sequence is not part of this window yet, so the button
// does nothing.
void TUpgradeForm::btnUpdateClick() {}

void TUpgradeForm::btnCloseClick() { window_->Close(); }

void TUpgradeForm::FormKeyPress(char key)
{
    if (key == '\x1b') btnCloseClick();
}

} // namespace tarnwick
