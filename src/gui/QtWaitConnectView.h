#pragma once

#include "platform/ui/WaitConnectView.h"

#include <memory>

namespace tarnwick::gui {

// The connection test's box drawn by Qt: borderless, on top of other windows, centred on
// the screen, white with a thin frame; the heading, server, database, the bold countdown
// and the STOP button (hidden until the test shows it).
std::unique_ptr<ui::IWaitConnectView> NewQtWaitConnectView(ui::IWaitConnectEvents& events);

} // namespace tarnwick::gui
