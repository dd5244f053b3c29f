#pragma once

#include "platform/ui/UtilityWindow.h"

#include <memory>

namespace tarnwick::gui {

// The utility window drawn by Qt: a fixed 588 x 440 window with the read-only message area
// and Run at the bottom left, Close at the bottom right. Closing it asks the application to end.
std::unique_ptr<ui::IUtilityWindow> NewQtUtilityWindow(ui::IUtilityWindowEvents& events);

} // namespace tarnwick::gui
