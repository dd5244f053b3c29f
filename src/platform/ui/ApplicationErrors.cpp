#include "platform/ui/ApplicationErrors.h"

#include "platform/core/Exceptions.h"
#include "platform/ui/Toolkit.h"

#include <cstdio>

namespace tarnwick::ui {

namespace {
TApplicationErrorHandler& Current()
{
    static TApplicationErrorHandler handler;
    return handler;
}

void ShowInErrorBox(const std::exception_ptr& error)
{
    TMessageBoxRequest box;
    box.Kind = TMsgDlgType::mtError;
    box.Caption = Toolkit().ApplicationTitle();
    box.Text = MessageOf(error);
    box.LiteralText = true;
    Toolkit().MessageBox(box);
}
} // namespace

TApplicationErrorHandler SetApplicationErrorHandler(TApplicationErrorHandler handler)
{
    Current().swap(handler);
    return handler;
}

void HandleApplicationError(std::exception_ptr error) noexcept
{
    try {
        if (Current())
            Current()(error);
        else
            ShowInErrorBox(error);
    } catch (...) {
        std::fprintf(stderr, "Error while handling \"%s\": %s\n", MessageOf(error).c_str(),
                     MessageOf(std::current_exception()).c_str());
    }
}

void CallGuarded(const std::function<void()>& handler) noexcept
{
    try {
        handler();
    } catch (...) {
        HandleApplicationError(std::current_exception());
    }
}

} // namespace tarnwick::ui
