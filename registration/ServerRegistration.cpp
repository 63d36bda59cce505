#include "registration/ServerRegistration.h"

#include <filesystem>
#include <map>

#include "com/ComRuntime.h"
#include "com/ErrorInfo.h"
#include "document/DocumentTypeLib.h"
#include "registration/ModuleResources.h"
#include "registration/RegistryScript.h"

namespace registration {
namespace {

std::map<std::string, std::string> variables(const std::string& modulePath)
{
    return {
        {"MODULE", modulePath},
        {"MODULEDIR", std::filesystem::path(modulePath).parent_path().string()},
        {"LIBID", com::guidToString(doctypelib::LIBID_ORVELCOMLib)},
        {"LIBVERSION", std::to_string(doctypelib::typeLibMajor) + "." + std::to_string(doctypelib::typeLibMinor)},
        {"LIBHELP", doctypelib::typeLibHelpString},
        {"IID_IDocument", com::guidToString(IID_IDocument)},
    };
}

RegistryScript classScript(int id, const std::map<std::string, std::string>& vars)
{
    auto text = findResource("REGISTRY", id);
    if (!text) throw ScriptError("the module has no registration script " + std::to_string(id));
    return RegistryScript::parse(*text, vars);
}

}  // namespace

HRESULT registerServer(registry::Registry& registry, const std::string& modulePath)
{
    if (modulePath.empty()) return E_UNEXPECTED;
    return com::guardHresult(__func__, [&] {
        try {
            auto vars = variables(modulePath);
            RegistryScript orvel = classScript(IDR_ORVEL, vars);
            RegistryScript page = classScript(IDR_PPTCOMPAGE, vars);
            RegistryScript typeLib = RegistryScript::parse(typeLibRegistrationScript(), vars);
            registry.transaction([&] {
                orvel.registerIn(registry);
                page.registerIn(registry);
                typeLib.registerIn(registry);
            });
            return S_OK;
        } catch (const ScriptError&) {
            return E_UNEXPECTED;  // the module's own scripts are broken
        }
    }, REGDB_E_WRITEREGDB);
}

HRESULT unregisterServer(registry::Registry& registry, const std::string& modulePath)
{
    // Unregistration reports nothing: whatever could be removed is gone.
    try {
        auto vars = variables(modulePath);
        RegistryScript orvel = classScript(IDR_ORVEL, vars);
        RegistryScript page = classScript(IDR_PPTCOMPAGE, vars);
        registry.transaction([&] {
            orvel.unregisterFrom(registry);
            page.unregisterFrom(registry);
        });
    } catch (...) {
    }
    return S_OK;
}

}  // namespace registration
