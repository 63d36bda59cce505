#include "WordRegistration.h"

#include <stdexcept>

#include "WordIds.h"
#include "com/ErrorInfo.h"
#include "registry/RegisterIt.h"
#include "registry/Registry.h"

namespace word {
namespace {

using registry::Hive;
using registry::Value;

const std::string clsidKey = std::string("CLSID\\") + clsidText;

void setDefault(registry::Registry& reg, const std::string& key, const std::string& text)
{
    reg.setValue(Hive::ClassesRoot, key, "", Value::string(text));
}

void removeClass(registry::Registry& reg)
{
    reg.deleteTree(Hive::ClassesRoot, clsidKey);
    reg.deleteTree(Hive::ClassesRoot, progId);
    reg.deleteTree(Hive::ClassesRoot, versionedProgId);
}

}  // namespace

HRESULT registerWordServer(const std::string& modulePath)
{
    if (modulePath.empty()) return E_UNEXPECTED;
    return com::guardHresult(__func__, [&] {
        auto reg = registry::Registry::openDefault();
        reg->transaction([&] {
            removeClass(*reg);  // nothing stale from an earlier registration survives
            setDefault(*reg, clsidKey, className);
            setDefault(*reg, clsidKey + "\\ProgID", versionedProgId);
            setDefault(*reg, clsidKey + "\\VersionIndependentProgID", progId);
            reg->createKey(Hive::ClassesRoot, clsidKey + "\\Programmable");
            setDefault(*reg, clsidKey + "\\InprocServer32", modulePath);
            reg->setValue(Hive::ClassesRoot, clsidKey + "\\InprocServer32", "ThreadingModel",
                          Value::string("Apartment"));

            setDefault(*reg, progId, className);
            setDefault(*reg, std::string(progId) + "\\CLSID", clsidText);
            setDefault(*reg, std::string(progId) + "\\CurVer", versionedProgId);
            setDefault(*reg, versionedProgId, className);
            setDefault(*reg, std::string(versionedProgId) + "\\CLSID", clsidText);

            RegDoc entry{KestString(backEndName), KestString(backEndDescription), KestString(clsidText),
                         KestString(modulePath)};
            if (!RegisterIt::addDoc(entry)) throw std::runtime_error("the back-end list cannot be written");
        });
        return S_OK;
    }, SELFREG_E_CLASS);
}

HRESULT unregisterWordServer()
{
    try {
        auto reg = registry::Registry::openDefault();
        reg->transaction([&] {
            removeClass(*reg);
            RegisterIt::removeDoc(KestString(clsidText));
        });
    } catch (...) {
        // Unregistration reports nothing: whatever could be removed is gone.
    }
    return S_OK;
}

}  // namespace word
