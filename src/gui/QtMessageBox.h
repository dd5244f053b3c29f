#pragma once

#include "platform/ui/MessageDialog.h"

namespace tarnwick::gui {

// The standard message dialog drawn by Qt: the kind's caption and icon, the buttons with
// their captions, OK (else Yes) as the default, Escape answering Cancel, else No, else OK.
// Help shows no help here: the box stays up until another button closes it.
ui::TModalResult ShowQtMessageBox(const ui::TMessageBoxRequest& request);

} // namespace tarnwick::gui
