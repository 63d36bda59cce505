#include "Modules.h"

#include <dlfcn.h>

#include <system_error>

#include "com/ComError.h"
#include "com/ComRuntime.h"
#include "com/ComString.h"
#include "com/ComTypes.h"
#include "registry/Registry.h"

namespace orvel_cli {
namespace {

struct ModuleClasses {
    const char* fileName;
    const char* progIds[2];  // the classes it serves; null when fewer
};

constexpr ModuleClasses knownModules[] = {
    {"liborvelcom.so", {"Orvel.Orvel", "PptComPage.PptComPage"}},
    {"libpowerpoint.so", {"PowerPoint.Application"}},
    {"liborvelword.so", {"Orvel.WordDocument"}},
};

// Rolls the registration of all modules back when one of them failed.
struct RegistrationFailed {};

bool callEntryPoint(const std::filesystem::path& module, const char* entryPoint, std::FILE* errors)
{
    std::error_code ec;
    if (!std::filesystem::exists(module, ec)) {
        std::fprintf(errors, "orvel: %s: no such module\n", module.c_str());
        return false;
    }
    // The handle stays open: objects of the module may be created later in
    // this process, and the runtime loads the same file again by its path.
    void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        std::fprintf(errors, "orvel: %s: cannot load: %s\n", module.c_str(), why ? why : "unknown error");
        return false;
    }
    auto entry = reinterpret_cast<HRESULT (*)()>(dlsym(handle, entryPoint));
    if (!entry) {
        std::fprintf(errors, "orvel: %s: not a COM module (no %s)\n", module.c_str(), entryPoint);
        return false;
    }
    HRESULT hr = entry();
    if (FAILED(hr)) {
        std::fprintf(errors, "orvel: %s: %s failed: %s\n", module.c_str(), entryPoint, ComError(hr).what());
        return false;
    }
    return true;
}

// Calls the entry point of every module inside one registry transaction:
// all of them are kept, or none (a module that fails, a process killed half
// way). `decide` runs first inside the transaction; false leaves the registry
// as it is. *called tells whether the modules were called and kept.
template <class Decide>
bool callAll(const std::vector<std::filesystem::path>& modules, const char* entryPoint, const char* verb,
             std::FILE* errors, std::FILE* done, Decide&& decide, bool* called = nullptr)
{
    bool kept = false;
    try {
        auto registry = registry::Registry::openDefault();
        registry->transaction([&] {
            if (!decide()) return;
            bool ok = true;
            for (const auto& module : modules) ok = callEntryPoint(module, entryPoint, errors) && ok;
            if (!ok) throw RegistrationFailed{};
            kept = true;
        });
    } catch (const RegistrationFailed&) {
        return false;
    } catch (const std::exception& e) {
        std::fprintf(errors, "orvel: %s\n", e.what());
        return false;
    }
    if (called) *called = kept;
    if (kept && done)
        for (const auto& module : modules) std::fprintf(done, "%s %s\n", verb, module.c_str());
    return true;
}

// The class is known by its name and the module serving it is in place.
bool classRegistered(registry::Registry& registry, const char* progId)
{
    CLSID clsid{};
    if (FAILED(CLSIDFromProgID(com::utf8ToUtf16(progId).c_str(), &clsid))) return false;
    auto server = registry.getValue(registry::Hive::ClassesRoot,
                                    "CLSID\\" + com::guidToString(clsid) + "\\InprocServer32", "");
    std::error_code ec;
    return server && !server->text.empty() && std::filesystem::exists(server->text, ec);
}

bool classesRegistered(registry::Registry& registry, const std::vector<std::filesystem::path>& modules)
{
    for (const auto& module : modules)
        for (const ModuleClasses& known : knownModules)
            if (module.filename() == known.fileName)
                for (const char* progId : known.progIds)
                    if (progId && !classRegistered(registry, progId)) return false;
    return true;
}

}  // namespace

std::filesystem::path programDir()
{
    std::error_code ec;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return std::filesystem::current_path(ec);
    return self.parent_path();
}

std::filesystem::path moduleDir()
{
    std::filesystem::path dir = programDir() / ".." / "lib";
    std::error_code ec;
    std::filesystem::path canonical = std::filesystem::weakly_canonical(dir, ec);
    return ec ? dir.lexically_normal() : canonical;
}

std::vector<std::filesystem::path> installedModules()
{
    std::vector<std::filesystem::path> modules;
    std::filesystem::path dir = moduleDir();
    std::error_code ec;
    for (const ModuleClasses& known : knownModules)
        if (std::filesystem::exists(dir / known.fileName, ec)) modules.push_back(dir / known.fileName);
    return modules;
}

bool registerModules(const std::vector<std::filesystem::path>& modules, std::FILE* errors, std::FILE* done)
{
    return callAll(modules, "DllRegisterServer", "registered", errors, done, [] { return true; });
}

bool unregisterModules(const std::vector<std::filesystem::path>& modules, std::FILE* errors, std::FILE* done)
{
    return callAll(modules, "DllUnregisterServer", "unregistered", errors, done, [] { return true; });
}

bool ensureRegistered(const std::vector<std::filesystem::path>& modules, std::FILE* errors, bool* registered)
{
    *registered = false;
    try {
        auto registry = registry::Registry::openDefault();
        if (classesRegistered(*registry, modules)) return true;
        // Asked again inside the transaction: concurrent first runs wait for
        // the one that registers, then find everything in place.
        return callAll(modules, "DllRegisterServer", "registered", errors, nullptr,
                       [&] { return !classesRegistered(*registry, modules); }, registered);
    } catch (const std::exception& e) {
        std::fprintf(errors, "orvel: %s\n", e.what());
        return false;
    }
}

}  // namespace orvel_cli
