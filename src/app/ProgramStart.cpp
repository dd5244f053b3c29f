#include "app/ProgramStart.h"

#include "app/UpgradeForm.h"
#include "db/TaxModule.h"
#include "platform/os/CommandLine.h"
#include "platform/ui/Toolkit.h"
#include "suite/AppInfo.h"
#include "suite/DisplayVersion.h"
#include "suite/SuiteEnvironment.h"
#include "suite/TaxSuiteStatus.h"

namespace tarnwick {

TProgram::TProgram(TStringList arguments) : arguments_(std::move(arguments))
{
    os::SetCommandLineArgs(arguments_);
    InitialiseSuiteEnvironment();
    InitialiseAppInfo();
    // Error reporting (the crash-report engine's configuration, the application-wide handler
    // and the fixed locale settings) belongs here, before the window exists; its undoing goes
    // first in the destructor.
}

TProgram::~TProgram()
{
    ReleaseSuiteStatus();
    FinaliseSuiteEnvironment();
    ReleaseTaxModule();
    ResetVersionSuffix();
    FinaliseAppInfo();
}

void TProgram::Run()
{
    ui::Toolkit().SetApplicationTitle(TUpgradeForm::DefaultCaption);
    TUpgradeForm form;
    form.Window().Show();
    ui::Toolkit().RunEventLoop();
}

} // namespace tarnwick
