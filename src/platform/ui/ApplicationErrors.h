#pragma once

#include <exception>
#include <functional>

namespace tarnwick::ui {

// The application-wide handler of errors that escape an event handler.
using TApplicationErrorHandler = std::function<void(std::exception_ptr)>;

// Puts the handler in place (empty: the default, which shows the message in an error box
// captioned with the application title) and returns the previous one.
TApplicationErrorHandler SetApplicationErrorHandler(TApplicationErrorHandler handler);

// Hands an error to the application-wide handler. Never raises: an error of the handler
// itself is written to standard error.
void HandleApplicationError(std::exception_ptr error) noexcept;

// Runs one handler of the system; whatever it raises goes to HandleApplicationError. The
// toolkit calls every handler through this, so no error crosses its event loop.
void CallGuarded(const std::function<void()>& handler) noexcept;

} // namespace tarnwick::ui
