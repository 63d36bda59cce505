// orvel unregister [MODULE...]: removes the registry entries of the COM modules.
#include <algorithm>
#include <cstdio>

#include "CommandArgs.h"
#include "Modules.h"

namespace orvel_cli {

int unregisterCommand(Args args)
{
    const std::string usage =
        "usage: orvel unregister [MODULE...]\n\n"
        "Removes the COM classes of the modules from the registry (their type\n"
        "libraries stay registered); by default the modules installed beside this\n"
        "program, in " + moduleDir().string() + ".\n"
        "Exit status 0 when every module unregistered, 1 otherwise.\n";
    std::vector<std::filesystem::path> modules;
    if (auto done = readModuleArguments(args, "unregister", usage, modules)) return *done;
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
