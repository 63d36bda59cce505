// The stand-ins' COM modules (PowerPoint's and the Word back-end's):
// registration in the registry, creation by ProgID through the COM runtime,
// the class object and when the module may unload, unregistration.
#include <dlfcn.h>

#include "PptTestSupport.h"
#include "com/ComRuntime.h"
#include "common/Modules.h"
#include "registry/RegisterIt.h"
#include "registry/Registry.h"

namespace ppttest {
namespace {

using registry::Hive;

constexpr const char* wordClsid = "{6F1E2A40-3B7C-4D58-9E21-8A4C0B7D5E11}";

struct StandIn {
    const char* file;
    std::string clsid;
    const char* progId;                                        // under the class key
    std::vector<std::pair<std::string, std::string>> entries;  // more keys and their default values
};

const StandIn standIns[] = {
    {"libpowerpoint.so", applicationClsidString, "PowerPoint.Application",
     {{"PowerPoint.Application", "Microsoft PowerPoint Application"},
      {"PowerPoint.Application\\CLSID", applicationClsidString}}},
    {"liborvelword.so", wordClsid, "Orvel.WordDocument.1",
     {{std::string("CLSID\\") + wordClsid + "\\VersionIndependentProgID", "Orvel.WordDocument"},
      {"Orvel.WordDocument\\CurVer", "Orvel.WordDocument.1"},
      {"Orvel.WordDocument.1\\CLSID", wordClsid}}},
};

std::string modulePath(const StandIn& module)
{
    return std::string(ORVEL_LIB_DIR) + "/" + module.file;
}

// The Word back-end entries of the generator's list.
std::vector<RegDoc> wordBackEnds()
{
    std::list<RegDoc> docs;
    EXPECT_TRUE(RegisterIt::readDocs(docs));
    std::vector<RegDoc> found;
    for (const RegDoc& d : docs)
        if (d.name == KestString("Microsoft Word")) found.push_back(d);
    return found;
}

TEST(StandInModule, RegistersCreatesByProgIdAndUnregisters)
{
    for (const StandIn& module : standIns) {
        SCOPED_TRACE(module.file);
        testenv::ScopedRegistry scoped;
        std::string error;
        ASSERT_TRUE(testenv::registerModule(module.file, &error)) << error;
        ASSERT_TRUE(testenv::registerModule(module.file, &error)) << error;  // again: nothing twice
        auto registry = registry::Registry::openDefault();
        const auto value = [&](const std::string& key, const std::string& name = "") {
            auto found = registry->getValue(Hive::ClassesRoot, key, name);
            return found ? found->text : "<missing>";
        };
        const std::string classKey = "CLSID\\" + module.clsid;
        EXPECT_EQ(value(classKey + "\\InprocServer32"), std::filesystem::canonical(modulePath(module)).string());
        EXPECT_EQ(value(classKey + "\\InprocServer32", "ThreadingModel"), "Apartment");
        EXPECT_EQ(value(classKey + "\\ProgID"), module.progId);
        for (const auto& [key, text] : module.entries) EXPECT_EQ(value(key), text) << key;

        HRESULT hr = E_FAIL;
        auto object = com::createInstance<IUnknown>(module.progId, &hr);
        ASSERT_EQ(hr, S_OK);
        EXPECT_FALSE(object.as<IClassFactory>(&hr));
        EXPECT_EQ(hr, E_NOINTERFACE);
        if (auto app = object.as<_Application>()) {
            // PowerPoint runs once: a second creation gets the same application.
            auto again = com::createInstance<_Application>(module.clsid, &hr);
            EXPECT_EQ(again.get(), app.get());
            app->GetPresentations()->Add(msoTrue);
            EXPECT_EQ(again->GetPresentations()->GetCount(), 1);
            app->Quit();
        } else {
            auto entries = wordBackEnds();
            ASSERT_EQ(entries.size(), 1u);
            EXPECT_EQ(entries[0].classId.str(), wordClsid);
            EXPECT_EQ(entries[0].module.str(), std::filesystem::canonical(modulePath(module)).string());
        }
        object = nullptr;

        ASSERT_TRUE(testenv::unregisterModule(module.file, &error)) << error;
        EXPECT_FALSE(registry->keyExists(Hive::ClassesRoot, classKey));
        for (const auto& [key, text] : module.entries) {
            const std::string root = key.starts_with("CLSID\\") ? key : key.substr(0, key.find('\\'));
            EXPECT_FALSE(registry->keyExists(Hive::ClassesRoot, root)) << root;
        }
        EXPECT_TRUE(wordBackEnds().empty());
        EXPECT_FALSE(com::createInstance<IUnknown>(module.progId, &hr));
        EXPECT_EQ(hr, CO_E_CLASSSTRING);
    }
}

// A class object alone holds nothing; a server lock or a live object does.
TEST(StandInModule, TheClassObjectServesOnlyItsClassAndTheModuleUnloadsWhenNothingHoldsIt)
{
    for (const StandIn& module : standIns) {
        SCOPED_TRACE(module.file);
        void* handle = dlopen(modulePath(module).c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle, nullptr) << dlerror();
        auto getClassObject = reinterpret_cast<DllGetClassObjectFn>(dlsym(handle, "DllGetClassObject"));
        auto canUnload = reinterpret_cast<DllCanUnloadNowFn>(dlsym(handle, "DllCanUnloadNow"));
        ASSERT_TRUE(getClassObject && canUnload);
        CLSID clsid;
        ASSERT_EQ(CLSIDFromString(com::utf8ToUtf16(module.clsid).c_str(), &clsid), S_OK);

        ComPtr<IClassFactory> factory;
        EXPECT_EQ(getClassObject(IClassFactory::iid, IClassFactory::iid, factory.putVoid()), CLASS_E_CLASSNOTAVAILABLE);
        ASSERT_EQ(getClassObject(clsid, IClassFactory::iid, factory.putVoid()), S_OK);
        EXPECT_EQ(canUnload(), S_OK);
        ComPtr<IUnknown> object;
        EXPECT_EQ(factory->CreateInstance(factory.get(), IUnknown::iid, object.putVoid()), CLASS_E_NOAGGREGATION);
        ASSERT_EQ(factory->CreateInstance(nullptr, IUnknown::iid, object.putVoid()), S_OK);
        EXPECT_EQ(canUnload(), S_FALSE);
        // The running application keeps the module loaded until it quits.
        if (auto app = object.as<_Application>()) app->Quit();
        object = nullptr;
        EXPECT_EQ(factory->LockServer(1), S_OK);
        EXPECT_EQ(canUnload(), S_FALSE);
        factory->LockServer(0);
        factory = nullptr;
        EXPECT_EQ(canUnload(), S_OK);
        dlclose(handle);
    }
}

}  // namespace
}  // namespace ppttest
