#include "platform/os/CommandLine.h"

namespace tarnwick::os {

namespace {

TStringList& Args()
{
    static TStringList args;
    return args;
}

} // namespace

const TStringList& CommandLineArgs() { return Args(); }

void SetCommandLineArgs(TStringList args) { Args() = std::move(args); }

bool FindCmdLineSwitch(std::string_view name)
{
    for (const std::string& arg : Args())
        if (arg.size() > 1 && (arg[0] == '-' || arg[0] == '/') &&
            SameText(std::string_view(arg).substr(1), name))
            return true;
    return false;
}

} // namespace tarnwick::os
