// orvel register [MODULE...]: writes the registry entries of the COM modules.
#include <cstdio>
#include "CommandArgs.h"
#include "Modules.h"
#include "registry/RegisterDynamic.h"

namespace orvel_cli {

namespace {

// The install directory beside the program, <program dir>/../share/orvel
// (Templates/ and pix/), becomes Settings/InstallDir unless one is set
// already, so that bare template and picture names find their folders.
void setInstallDirWhenAbsent()
{
    std::error_code ec;
    std::filesystem::path dir = std::filesystem::canonical(programDir() / ".." / "share" / "orvel", ec);
    if (ec || !std::filesystem::is_directory(dir, ec)) return;
    constexpr int absent = -1;
    RegisterDynamic settings;
    RegEntry current = settings.read("Settings", "InstallDir", RegEntry("Settings", "InstallDir", "", absent), false);
    if (current.type != absent) return;
    if (settings.write("Settings", "InstallDir", RegEntry(KestString(dir.string())), false))
        std::printf("orvel: Settings/InstallDir set to %s\n", dir.c_str());
}

}  // namespace

int registerCommand(Args args)
{
    const std::string usage =
        "usage: orvel register [MODULE...]\n\n"
        "Registers the COM classes and type libraries of the modules in the registry\n"
        "($ORVEL_REGISTRY, else $XDG_DATA_HOME/orvel/registry.db): by default the\n"
        "modules installed beside this program, in " + moduleDir().string() + ":\n"
        "liborvelcom.so (Orvel.Orvel, PptComPage.PptComPage), libpowerpoint.so\n"
        "(PowerPoint.Application) and liborvelword.so (the \"Microsoft Word\" back-end).\n"
        "When Settings/InstallDir is not set, it is set to the install directory\n" +
        (programDir().parent_path() / "share" / "orvel").string() + " (its Templates/ folder holds the templates\n"
        "that bare names in PowerPoint/PptTemplateName find, its pix/ folder the\n"
        "pictures of bare picture names).\n"
        "Exit status 0 when every module registered, 1 otherwise.\n";
    std::vector<std::filesystem::path> modules;
    if (auto done = readModuleArguments(args, "register", usage, modules)) return *done;
    if (modules.empty()) modules = installedModules();
    if (modules.empty()) {
        std::fprintf(stderr, "orvel register: no module found in %s\n", moduleDir().c_str());
        return 1;
    }
    if (!registerModules(modules, stderr, stdout)) return 1;
    setInstallDirWhenAbsent();
    return 0;
}

}  // namespace orvel_cli
