#include "CommandArgs.h"

#include <cstdio>
#include <string_view>

namespace orvel_cli {

std::optional<int> readArguments(Args args, const char* command, const std::string& usage,
                                 const std::function<void(const char*)>& positional)
{
    for (char* arg : args) {
        std::string_view a = arg;
        if (a == "--help" || a == "-h") {
            std::fputs(usage.c_str(), stdout);
            return 0;
        }
        if (a.starts_with("-") || !positional) {
            std::fprintf(stderr, "orvel %s: %s '%s' (see 'orvel %s --help')\n", command,
                         a.starts_with("-") ? "unknown option" : "unexpected argument", arg, command);
            return 2;
        }
        positional(arg);
    }
    return std::nullopt;
}

std::optional<int> readModuleArguments(Args args, const char* command, const std::string& usage,
                                       std::vector<std::filesystem::path>& modules)
{
    return readArguments(args, command, usage,
                         [&](const char* arg) { modules.emplace_back(std::filesystem::absolute(arg)); });
}

}  // namespace orvel_cli
