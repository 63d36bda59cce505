// liborvelcom.so: its registry entries, class objects, lock count, identity
// and resources.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <tuple>

#include "RegistryDump.h"
#include "com/ComRuntime.h"
#include "common/TestEnv.h"
#include "document/IDocument.h"
#include "generator/OrvelIds.h"
#include "registry/Registry.h"
#include "ui/PropertyPage.h"

namespace {

using registry::Hive;

// liborvelcom.so of this tree, loaded as the COM runtime loads it (never
// closed: the runtime holds the same handle for the objects it makes).
constexpr const char* orvelcomPath = ORVEL_LIB_DIR "/liborvelcom.so";

struct OrvelcomModule {
    OrvelcomModule()
    {
        void* handle = dlopen(orvelcomPath, RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            ADD_FAILURE() << dlerror();
            return;
        }
        getClassObject = reinterpret_cast<DllGetClassObjectFn>(dlsym(handle, "DllGetClassObject"));
        canUnloadNow = reinterpret_cast<DllCanUnloadNowFn>(dlsym(handle, "DllCanUnloadNow"));
        registerServer = reinterpret_cast<DllRegisterServerFn>(dlsym(handle, "DllRegisterServer"));
        unregisterServer = reinterpret_cast<DllUnregisterServerFn>(dlsym(handle, "DllUnregisterServer"));
        resource = reinterpret_cast<decltype(resource)>(dlsym(handle, "orvelcom_resource"));
        EXPECT_TRUE(getClassObject && canUnloadNow && registerServer && unregisterServer && resource);
    }
    DllGetClassObjectFn getClassObject = nullptr;
    DllCanUnloadNowFn canUnloadNow = nullptr;
    DllRegisterServerFn registerServer = nullptr;
    DllUnregisterServerFn unregisterServer = nullptr;
    const char* (*resource)(const char* type, int id, std::size_t* size) = nullptr;
};

const std::string orvelKey = "CLSID\\{474BDD94-0170-11d3-A6BF-00104B2AEFE1}";
const std::string pageKey = "CLSID\\{474BDD95-0170-11d3-A6BF-00104B2AEFE1}";

std::vector<std::string> sorted(std::vector<std::string> v)
{
    std::sort(v.begin(), v.end());
    return v;
}

// The ClassesRoot entries of a registration (expected/classes-root.txt): the
// class entries unregistration removes and the ones it keeps.
struct Expected {
    std::vector<std::string> classes, kept;
    std::vector<std::string> all() const
    {
        std::vector<std::string> out = classes;
        out.insert(out.end(), kept.begin(), kept.end());
        return sorted(out);
    }
};

Expected expectedEntries()
{
    const std::filesystem::path module = std::filesystem::canonical(orvelcomPath);
    Expected e;
    std::vector<std::string>* into = &e.classes;
    std::istringstream in(testenv::readFile(ORVEL_SOURCE_DIR "/tests/registration/expected/classes-root.txt"));
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with('#')) {
            if (!e.classes.empty()) into = &e.kept;
            continue;
        }
        for (const auto& [name, value] : {std::pair{"$MODULE", module.string()}, {"$DIR", module.parent_path().string()}})
            if (auto at = line.find(name); at != std::string::npos) line.replace(at, std::strlen(name), value);
        into->push_back(line);
    }
    return e;
}

class Registration : public ::testing::Test {
protected:
    testenv::ScopedRegistry scopedRegistry;
    OrvelcomModule module;
    std::shared_ptr<registry::Registry> reg() { return registry::Registry::openDefault(); }
};

// Into an empty registry, and again over stale entries under the class keys.
TEST_F(Registration, WritesExactlyTheClassAndTypeLibraryEntriesAndReplacesWhatWasUnderTheClassKeys)
{
    const Expected expected = expectedEntries();
    ASSERT_EQ(module.registerServer(), S_OK);
    EXPECT_EQ(regtest::dump(*reg(), Hive::ClassesRoot), expected.all());
    EXPECT_TRUE(regtest::dump(*reg(), Hive::CurrentUser).empty());
    EXPECT_TRUE(regtest::dump(*reg(), Hive::LocalMachine).empty());
    reg()->setValue(Hive::ClassesRoot, orvelKey + "\\Stale", "", registry::Value::string("old"));
    reg()->setValue(Hive::ClassesRoot, pageKey + "\\Programmable\\Old", "", registry::Value::string("old"));
    reg()->setValue(Hive::ClassesRoot, orvelKey + "\\InprocServer32", "", registry::Value::string("/old/path.so"));
    ASSERT_EQ(module.registerServer(), S_OK);
    EXPECT_EQ(regtest::dump(*reg(), Hive::ClassesRoot), expected.all());
}

TEST_F(Registration, UnregisteringRemovesTheClassesAndKeepsTheTypeLibraryAndWhatOthersOwn)
{
    const std::string other = "CLSID\\{11111111-2222-3333-4444-555555555555}";
    reg()->setValue(Hive::ClassesRoot, other + "\\InprocServer32", "", registry::Value::string("/other.so"));
    ASSERT_EQ(module.registerServer(), S_OK);
    // Something another program put under the ProgIDs goes with them: no
    // half ProgID (a name without its CurVer or CLSID) is left behind.
    reg()->setValue(Hive::ClassesRoot, "Orvel.Orvel\\Shell", "", registry::Value::string("theirs"));
    reg()->setValue(Hive::ClassesRoot, "PptComPage.PptComPage.2.1.0\\Insertable", "", registry::Value::string(""));
    ASSERT_EQ(module.unregisterServer(), S_OK);
    std::vector<std::string> expected = expectedEntries().kept;
    expected.insert(expected.end(), {other, other + "\\InprocServer32 | (default) = /other.so"});
    EXPECT_EQ(regtest::dump(*reg(), Hive::ClassesRoot), sorted(expected));
    // A second unregistration finds nothing to do and still succeeds.
    EXPECT_EQ(module.unregisterServer(), S_OK);
    EXPECT_EQ(regtest::dump(*reg(), Hive::ClassesRoot), sorted(expected));

    CLSID clsid;
    EXPECT_EQ(CLSIDFromProgID(u"Orvel.Orvel", &clsid), CO_E_CLASSSTRING);
    ComPtr<IDocument> doc = com::createInstance<IDocument>("{474BDD94-0170-11D3-A6BF-00104B2AEFE1}");
    EXPECT_FALSE(doc);
}

TEST_F(Registration, AnUnwritableRegistryFailsRegistrationCleanly)
{
    testenv::TempDir dir;
    // A folder where the database file should be cannot be opened as one.
    std::filesystem::create_directory(dir / "registry.db");
    testenv::ScopedEnv env("ORVEL_REGISTRY", (dir / "registry.db").string());
    EXPECT_TRUE(FAILED(module.registerServer()));
    EXPECT_EQ(module.unregisterServer(), S_OK);
}

class ClassObjects : public ::testing::Test {
protected:
    OrvelcomModule module;

    ComPtr<IClassFactory> factory(const CLSID& clsid)
    {
        ComPtr<IClassFactory> f;
        EXPECT_EQ(module.getClassObject(clsid, IClassFactory::iid, f.putVoid()), S_OK);
        return f;
    }
};

TEST_F(ClassObjects, TheModuleCanUnloadOnlyWhenNoObjectOrLockIsAlive)
{
    ASSERT_EQ(module.canUnloadNow(), S_OK);
    {
        ComPtr<IClassFactory> f = factory(CLSID_Orvel);
        EXPECT_EQ(module.canUnloadNow(), S_OK);  // a class object alone holds nothing
        ComPtr<IDocument> doc;
        ASSERT_EQ(f->CreateInstance(nullptr, IID_IDocument, doc.putVoid()), S_OK);
        ASSERT_EQ(f->LockServer(TRUE_BOOL), S_OK);
        f = nullptr;
        EXPECT_EQ(module.canUnloadNow(), S_FALSE);  // the object and the lock
        doc = nullptr;
        EXPECT_EQ(module.canUnloadNow(), S_FALSE);  // the lock
        ComPtr<IClassFactory> again = factory(CLSID_Orvel);
        ASSERT_EQ(again->LockServer(0), S_OK);
    }
    EXPECT_EQ(module.canUnloadNow(), S_OK);
    {
        ComPtr<IPropertyPage> page;
        ASSERT_EQ(factory(CLSID_PptComPage)->CreateInstance(nullptr, IPropertyPage::iid, page.putVoid()), S_OK);
        EXPECT_EQ(module.canUnloadNow(), S_FALSE);
    }
    EXPECT_EQ(module.canUnloadNow(), S_OK);
}

TEST_F(ClassObjects, AreServedForTheTwoClassesOnlyAndOrvelAnswersIUnknownIDispatchAndIDocumentOnly)
{
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(module.getClassObject(IID_IDocument, IClassFactory::iid, &object), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(module.getClassObject(CLSID_Orvel, IID_IDocument, &object), E_NOINTERFACE);
    EXPECT_EQ(module.getClassObject(CLSID_Orvel, IClassFactory::iid, nullptr), E_POINTER);
    ComPtr<IUnknown> unknown;
    ASSERT_EQ(factory(CLSID_Orvel)->CreateInstance(nullptr, IUnknown::iid, unknown.putVoid()), S_OK);
    ComPtr<IDispatch> dispatch = unknown.as<IDispatch>();
    ComPtr<IDocument> document = unknown.as<IDocument>();
    ASSERT_TRUE(dispatch && document);
    // One identity whatever interface is asked.
    EXPECT_EQ(document.as<IUnknown>().get(), unknown.get());
    EXPECT_EQ(dispatch.as<IUnknown>().get(), unknown.get());
    constexpr IID others[] = {IClassFactory::iid, IPropertyPage::iid, IPropertyPageSite::iid,
                              makeGuid("{00020401-0000-0000-C000-000000000046}"),  // ITypeInfo
                              makeGuid("{00000003-0000-0000-C000-000000000046}")};  // IMarshal
    for (const IID& iid : others) {
        object = reinterpret_cast<void*>(1);
        EXPECT_EQ(unknown->QueryInterface(iid, &object), E_NOINTERFACE);
        EXPECT_EQ(object, nullptr);
    }
    EXPECT_EQ(unknown->QueryInterface(IID_IDocument, nullptr), E_POINTER);

    ComPtr<IUnknown> page;
    ASSERT_EQ(factory(CLSID_PptComPage)->CreateInstance(nullptr, IUnknown::iid, page.putVoid()), S_OK);
    EXPECT_EQ(page.as<IPropertyPage>().as<IUnknown>().get(), page.get());
    EXPECT_FALSE(page.as<IDispatch>());
    EXPECT_FALSE(page.as<IDocument>());
}

// A controlling object that aggregates an inner one.
class Outer final : public IUnknown {
public:
    HRESULT QueryInterface(REFIID riid, void** object) override
    {
        if (!object) return E_POINTER;
        if (riid == IUnknown::iid) {
            *object = static_cast<IUnknown*>(this);
            AddRef();
            return S_OK;
        }
        if (!inner) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        return inner->QueryInterface(riid, object);
    }
    ULONG AddRef() override { return ++refs; }
    ULONG Release() override { return --refs; }  // lives on the test's stack

    ComPtr<IUnknown> inner;
    ULONG refs = 1;
};

TEST_F(ClassObjects, BothClassesCanBeAggregated)
{
    for (const CLSID& clsid : {CLSID_Orvel, CLSID_PptComPage}) {
        Outer outer;
        ComPtr<IClassFactory> f = factory(clsid);
        void* object = reinterpret_cast<void*>(1);
        // Only the inner object's own IUnknown may be asked for.
        EXPECT_EQ(f->CreateInstance(&outer, IID_IDocument, &object), CLASS_E_NOAGGREGATION);
        EXPECT_EQ(object, nullptr);
        ASSERT_EQ(f->CreateInstance(&outer, IUnknown::iid, outer.inner.putVoid()), S_OK);
        ASSERT_NE(outer.inner.get(), static_cast<IUnknown*>(&outer));

        const IID& main = clsid == CLSID_Orvel ? IID_IDocument : IPropertyPage::iid;
        IUnknown* through = nullptr;
        ASSERT_EQ(outer.QueryInterface(main, reinterpret_cast<void**>(&through)), S_OK);
        // The inner interface counts and answers for the outer object.
        EXPECT_EQ(outer.refs, 2u);
        IUnknown* identity = nullptr;
        ASSERT_EQ(through->QueryInterface(IUnknown::iid, reinterpret_cast<void**>(&identity)), S_OK);
        EXPECT_EQ(identity, static_cast<IUnknown*>(&outer));
        EXPECT_EQ(outer.refs, 3u);
        identity->Release();
        through->Release();
        EXPECT_EQ(outer.refs, 1u);
        outer.inner = nullptr;
    }
    EXPECT_EQ(module.canUnloadNow(), S_OK);
}

// The version and the type library the module carries (its registration
// scripts: the entries above; the page's texts: ui/PageComTest).
TEST_F(ClassObjects, TheModuleCarriesItsResources)
{
    auto text = [&](const char* type, int id) -> std::string {
        std::size_t size = 0;
        const char* data = module.resource(type, id, &size);
        return data ? std::string(data, size) : std::string("<none>");
    };
    const std::tuple<const char*, int, const char*> contained[] = {
        {"REGISTRY", 102, "<none>"},
        {"STRING", 104, "<none>"},
        {"VERSION", 1, "FILEVERSION 2,0,0,0"},
        {"VERSION", 1, "OriginalFilename ORVELCOM.DLL"},
        {"TYPELIB", 1, "uuid(0BDD0893-F6AE-11D2-A6B7-00104B2AEFE1)"},
        {"TYPELIB", 1, "[id(16), helpstring(\"method getPropPages\")] HRESULT getPropPages([out] BSTR* bstrCLSID);"},
        {"TYPELIB", 1, "coclass PptComPage"},
    };
    for (const auto& [type, id, part] : contained) EXPECT_NE(text(type, id).find(part), std::string::npos) << type << id;
    EXPECT_EQ(module.resource(nullptr, 1, nullptr), nullptr);
}

}  // namespace
