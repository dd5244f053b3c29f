#pragma once

#include "platform/core/Strings.h"

#include <string_view>

namespace tarnwick::os {

// The arguments the program was started with, after the program's own name. Set once by
// main; tests set what they need.
const TStringList& CommandLineArgs();
void SetCommandLineArgs(TStringList args);

// An argument "-name" or "/name", the name matched without regard to case.
bool FindCmdLineSwitch(std::string_view name);

} // namespace tarnwick::os
