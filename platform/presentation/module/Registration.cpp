#include "module/Registration.h"

#include <dlfcn.h>

#include <climits>
#include <cstdlib>
#include <memory>
#include <string>

#include "powerpoint/PowerPoint.h"
#include "registry/Registry.h"

namespace ppt {
namespace {

const std::string kClassKey = std::string("CLSID\\") + PowerPoint::applicationClsidString;
constexpr const char* kDescription = "Microsoft PowerPoint Application";

std::string modulePath(const void* address)
{
    Dl_info info{};
    if (!dladdr(address, &info) || !info.dli_fname) return {};
    std::unique_ptr<char, decltype(&std::free)> real(realpath(info.dli_fname, nullptr), &std::free);
    return real ? std::string(real.get()) : std::string(info.dli_fname);
}

}  // namespace

HRESULT registerServer(const void* addressInModule)
{
    const std::string path = modulePath(addressInModule);
    if (path.empty()) return SELFREG_E_CLASS;
    try {
        auto registry = registry::Registry::openDefault();
        using registry::Hive;
        using registry::Value;
        const std::string progId = PowerPoint::applicationProgId;
        registry->transaction([&] {
            registry->setValue(Hive::ClassesRoot, progId, "", Value::string(kDescription));
            registry->setValue(Hive::ClassesRoot, progId + "\\CLSID", "", Value::string(PowerPoint::applicationClsidString));
            registry->setValue(Hive::ClassesRoot, kClassKey, "", Value::string(kDescription));
            registry->setValue(Hive::ClassesRoot, kClassKey + "\\InprocServer32", "", Value::string(path));
            registry->setValue(Hive::ClassesRoot, kClassKey + "\\InprocServer32", "ThreadingModel",
                               Value::string("Apartment"));
            registry->setValue(Hive::ClassesRoot, kClassKey + "\\ProgID", "", Value::string(progId));
        });
        return S_OK;
    } catch (const std::exception&) {
        return SELFREG_E_CLASS;
    }
}

HRESULT unregisterServer()
{
    try {
        auto registry = registry::Registry::openDefault();
        using registry::Hive;
        registry->transaction([&] {
            registry->deleteTree(Hive::ClassesRoot, PowerPoint::applicationProgId);
            registry->deleteTree(Hive::ClassesRoot, kClassKey);
        });
        return S_OK;
    } catch (const std::exception&) {
        return SELFREG_E_CLASS;
    }
}

}  // namespace ppt
