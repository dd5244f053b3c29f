#include "platform/os/ProcessCommandLine.h"

namespace tarnwick::os {

namespace {

bool IsSeparator(char c) { return c == ' ' || c == '\t'; }

std::size_t ReadProgram(std::string_view line, std::string& program)
{
    std::size_t at = 0;
    if (!line.empty() && line[0] == '"') {
        const std::size_t close = line.find('"', 1);
        program = line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
        return close == std::string_view::npos ? line.size() : close + 1;
    }
    while (at < line.size() && !IsSeparator(line[at])) ++at;
    program = line.substr(0, at);
    return at;
}

} // namespace

TStringList CommandLineToArgs(std::string_view line)
{
    TStringList args;
    std::string program;
    std::size_t at = ReadProgram(line, program);
    args.push_back(program);

    for (;;) {
        while (at < line.size() && IsSeparator(line[at])) ++at;
        if (at >= line.size()) break;
        std::string arg;
        bool quoted = false;
        while (at < line.size() && (quoted || !IsSeparator(line[at]))) {
            if (line[at] == '\\') {
                std::size_t slashes = 0;
                while (at < line.size() && line[at] == '\\') ++slashes, ++at;
                if (at < line.size() && line[at] == '"') {
                    arg.append(slashes / 2, '\\');
                    if (slashes % 2 == 1) {
                        arg += '"';
                        ++at;
                    }
                } else {
                    arg.append(slashes, '\\');
                }
            } else if (line[at] == '"') {
                if (quoted && at + 1 < line.size() && line[at + 1] == '"') {
                    arg += '"';
                    at += 2;
                } else {
                    quoted = !quoted;
                    ++at;
                }
            } else {
                arg += line[at++];
            }
        }
        args.push_back(std::move(arg));
    }
    return args;
}

} // namespace tarnwick::os
