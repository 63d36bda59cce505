#include "Modules.h"

#include <dlfcn.h>

#include <system_error>

#include "com/ComError.h"
#include "com/ComTypes.h"

namespace orvel_cli {
namespace {

constexpr const char* moduleNames[] = {"liborvelcom.so", "libpowerpoint.so", "liborvelword.so"};

bool callEntryPoint(const std::filesystem::path& module, const char* entryPoint, const char* verb,
                    std::FILE* errors, std::FILE* done)
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
    if (done) std::fprintf(done, "%s %s\n", verb, module.c_str());
    return true;
}

bool callAll(const std::vector<std::filesystem::path>& modules, const char* entryPoint, const char* verb,
             std::FILE* errors, std::FILE* done)
{
    bool ok = true;
    for (const auto& module : modules) ok = callEntryPoint(module, entryPoint, verb, errors, done) && ok;
    return ok;
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
    for (const char* name : moduleNames)
        if (std::filesystem::exists(dir / name, ec)) modules.push_back(dir / name);
    return modules;
}

bool registerModules(const std::vector<std::filesystem::path>& modules, std::FILE* errors, std::FILE* done)
{
    return callAll(modules, "DllRegisterServer", "registered", errors, done);
}

bool unregisterModules(const std::vector<std::filesystem::path>& modules, std::FILE* errors, std::FILE* done)
{
    return callAll(modules, "DllUnregisterServer", "unregistered", errors, done);
}

}  // namespace orvel_cli
