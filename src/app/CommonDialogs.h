#pragma once

#include "platform/ui/MessageDialog.h"

#include <string>
#include <string_view>

namespace tarnwick {

using ui::TModalResult;
using ui::TMsgDlgButtons;
using ui::TMsgDlgType;

// Doubles every single "&" so a message box shows it instead of underlining the next
// letter; "&&" stays as it is.
std::string EscapeAmpersands(std::string_view text);

// The standard message dialog, modal, with the normal arrow cursor while it is up (the
// previous cursor comes back on every path). A help context other than 0 adds Help.
TModalResult ShowMessageBox(std::string_view text, TMsgDlgType kind, TMsgDlgButtons buttons, int helpContext);

TModalResult ShowErrorBox(std::string_view text, int helpContext = 0);
TModalResult ShowInfoBox(std::string_view text);
TModalResult ShowWarningBox(std::string_view text);
// mrYes or mrNo.
TModalResult AskYesNo(std::string_view text);
// mrYes, mrNo or mrCancel; the cursor is left as it is.
TModalResult AskYesNoCancel(std::string_view text);

} // namespace tarnwick
