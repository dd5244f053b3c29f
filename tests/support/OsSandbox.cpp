#include "support/OsSandbox.h"

namespace tarnwick::test {

OsSandbox::OsSandbox()
{
    Folders->Temp = Paths.MakeFolder("tmp") + "/";
    Folders->CommonAppData = Paths.MakeFolder("common") + "/";
    previousFolders_ = os::SetSpecialFolders(Folders);
    previousIdentity_ = os::SetMachineIdentity(Identity);
}

OsSandbox::~OsSandbox()
{
    os::SetSpecialFolders(previousFolders_);
    os::SetMachineIdentity(previousIdentity_);
}

} // namespace tarnwick::test
