// orvel register [MODULE...]: writes the registry entries of the COM modules.
#include <cstdio>
#include <string_view>

#include "Commands.h"
#include "Modules.h"

namespace orvel_cli {

int registerCommand(Args args)
{
    std::vector<std::filesystem::path> modules;
    for (char* arg : args) {
        std::string_view a = arg;
        if (a == "--help" || a == "-h") {
            std::printf(
                "usage: orvel register [MODULE...]\n\n"
                "Registers the COM classes and type libraries of the modules in the registry\n"
                "($ORVEL_REGISTRY, else $XDG_DATA_HOME/orvel/registry.db): by default the\n"
                "modules installed beside this program, in %s:\n"
                "liborvelcom.so (Orvel.Orvel, PptComPage.PptComPage), libpowerpoint.so\n"
                "(PowerPoint.Application) and liborvelword.so (the \"Microsoft Word\" back-end).\n"
                "Exit status 0 when every module registered, 1 otherwise.\n",
                moduleDir().c_str());
            return 0;
        }
        if (a.starts_with("-")) {
            std::fprintf(stderr, "orvel register: unknown option '%s' (see 'orvel register --help')\n", arg);
            return 2;
        }
        modules.emplace_back(std::filesystem::absolute(arg));
    }
    if (modules.empty()) modules = installedModules();
    if (modules.empty()) {
        std::fprintf(stderr, "orvel register: no module found in %s\n", moduleDir().c_str());
        return 1;
    }
    return registerModules(modules, stderr, stdout) ? 0 : 1;
}

}  // namespace orvel_cli
