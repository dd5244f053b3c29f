#pragma once

#include "platform/core/Strings.h"

namespace tarnwick {

// The program's run: the start-up work before any window exists, the window and its event
// loop, and the shut-down work in the reverse order. The SQL driver and the toolkit are put
// in place by the caller before, and taken away after.
class TProgram {
public:
    // Reads the registry and the data source, then the program's own version information.
    explicit TProgram(TStringList arguments);
    // Frees what start-up made, in the reverse order.
    ~TProgram();
    TProgram(const TProgram&) = delete;
    TProgram& operator=(const TProgram&) = delete;

    // Sets the application title, makes the window, shows it and runs the event loop until
    // the window closes.
    void Run();

    const TStringList& Arguments() const { return arguments_; }

private:
    TStringList arguments_;
};

} // namespace tarnwick
