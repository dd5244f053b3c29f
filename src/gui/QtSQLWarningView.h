#pragma once

#include "platform/ui/SQLWarningView.h"

#include <memory>

namespace tarnwick::gui {

// The connection-failure window drawn by Qt: "Warning", a fixed single border with only the
// close box, centred; the advice panel with its two hyperlinks, the details panel with the
// read-only errorDetail box, and OK and "&Details >>" (the default button) at the bottom.
std::unique_ptr<ui::ISQLWarningView> NewQtSQLWarningView(ui::ISQLWarningEvents& events);

} // namespace tarnwick::gui
