#pragma once

#include "platform/ui/Toolkit.h"

#include <memory>

class QApplication;

namespace tarnwick::gui {

// The process's Qt application with the Qt toolkit in place and the program's icon (the
// MAINICON resource) on its windows; the toolkit goes back when it goes. Makes the window
// fonts available: Tahoma from Wine's metric-compatible copy when the system has none, and
// Arial, which fontconfig maps to Liberation Sans.
class TQtApplication {
public:
    TQtApplication(int& argc, char** argv);
    ~TQtApplication();
    TQtApplication(const TQtApplication&) = delete;
    TQtApplication& operator=(const TQtApplication&) = delete;

private:
    std::unique_ptr<QApplication> application_;
    std::shared_ptr<ui::IToolkit> previous_;
};

} // namespace tarnwick::gui
