// orvel unregister [MODULE...]: removes the registry entries of the COM modules.
#include <algorithm>
#include <cstdio>
#include <string_view>

#include "Commands.h"
#include "Modules.h"

namespace orvel_cli {

int unregisterCommand(Args args)
{
    std::vector<std::filesystem::path> modules;
    for (char* arg : args) {
        std::string_view a = arg;
        if (a == "--help" || a == "-h") {
            std::printf(
                "usage: orvel unregister [MODULE...]\n\n"
                "Removes the COM classes of the modules from the registry (their type\n"
                "libraries stay registered); by default the modules installed beside this\n"
                "program, in %s.\n"
                "Exit status 0 when every module unregistered, 1 otherwise.\n",
                moduleDir().c_str());
            return 0;
        }
        if (a.starts_with("-")) {
            std::fprintf(stderr, "orvel unregister: unknown option '%s' (see 'orvel unregister --help')\n", arg);
            return 2;
        }
        modules.emplace_back(std::filesystem::absolute(arg));
    }
    if (modules.empty()) {
        modules = installedModules();
        std::reverse(modules.begin(), modules.end());
    }
    if (modules.empty()) {
        std::fprintf(stderr, "orvel unregister: no module found in %s\n", moduleDir().c_str());
        return 1;
    }
    return unregisterModules(modules, stderr, stdout) ? 0 : 1;
}

}  // namespace orvel_cli
