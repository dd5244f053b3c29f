#include "gui/QtToolkit.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

// One QApplication and the Qt toolkit for the whole test program.
class QtApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "gui_tests";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QApplication>(argc, argv);
        tarnwick::ui::SetToolkit(std::make_shared<tarnwick::gui::TQtToolkit>());
    }
    void TearDown() override
    {
        tarnwick::ui::SetToolkit(nullptr);
        app_.reset();
    }

private:
    std::unique_ptr<QApplication> app_;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

} // namespace
