// Class creation through the registry, module unloading, and the
// running-object table, against the counter module built beside the tests.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include "com/ComRuntime.h"
#include "com/ComString.h"
#include "common/TestEnv.h"
#include "modules/TestCounter.h"
#include "registry/Registry.h"

namespace {

using registry::Hive;
using registry::Value;

class ComRuntime : public testing::Test {
protected:
    void SetUp() override
    {
        reg = registry::Registry::openDefault();
        std::string clsidKey = std::string("CLSID\\") + testCounterClsidText;
        reg->setValue(Hive::ClassesRoot, clsidKey, "", Value::string("Test Counter"));
        reg->setValue(Hive::ClassesRoot, clsidKey + "\\InprocServer32", "", Value::string(COUNTER_MODULE_PATH));
        reg->setValue(Hive::ClassesRoot, "Orvel.TestCounter.1\\CLSID", "", Value::string(testCounterClsidText));
        reg->setValue(Hive::ClassesRoot, "Orvel.TestCounter\\CurVer", "", Value::string("Orvel.TestCounter.1"));
    }
    void TearDown() override { com::freeUnusedLibraries(); }

    void registerModule(const char* clsid, const std::string& path)
    {
        reg->setValue(Hive::ClassesRoot, std::string("CLSID\\") + clsid + "\\InprocServer32", "", Value::string(path));
    }

    static bool counterModuleLoaded()
    {
        void* handle = dlopen(COUNTER_MODULE_PATH, RTLD_NOW | RTLD_NOLOAD);
        if (handle) dlclose(handle);
        return handle != nullptr;
    }

    static LONG increment(const ComPtr<ITestCounter>& counter)
    {
        LONG value = 0;
        EXPECT_EQ(counter->Increment(&value), S_OK);
        return value;
    }

    testenv::ScopedRegistry scoped;
    std::shared_ptr<registry::Registry> reg;
};

TEST_F(ComRuntime, CreatesByClsidInEitherLetterCaseAndByProgIdDirectlyOrThroughCurVer)
{
    ComPtr<ITestCounter> byUpper = com::createInstance<ITestCounter>("{6A1C9E21-5B7D-4F0B-9C1E-2D3F4A5B6C7D}");
    ASSERT_TRUE(byUpper);
    EXPECT_EQ(increment(byUpper), 1);
    EXPECT_EQ(increment(byUpper), 2);
    for (const char* name : {testCounterClsidText, "Orvel.TestCounter.1", "orvel.testcounter"}) {
        HRESULT hr = E_FAIL;
        ComPtr<ITestCounter> other = com::createInstance<ITestCounter>(name, &hr);
        EXPECT_EQ(hr, S_OK) << name;
        ASSERT_TRUE(other) << name;
        EXPECT_EQ(increment(other), 1) << name;  // a separate object
    }
    ComPtr<IUnknown> raw;
    EXPECT_EQ(CoCreateInstance(testCounterClsid, nullptr, CLSCTX_INPROC_SERVER, IUnknown::iid, raw.putVoid()), S_OK);
    EXPECT_TRUE(raw.as<ITestCounter>());
    CLSID clsid;
    ASSERT_EQ(CLSIDFromProgID(u"Orvel.TestCounter", &clsid), S_OK);
    EXPECT_EQ(clsid, testCounterClsid);
    ASSERT_EQ(CLSIDFromString(u"Orvel.TestCounter.1", &clsid), S_OK);
    EXPECT_EQ(clsid, testCounterClsid);
}

TEST_F(ComRuntime, EachWayOfFailingHasItsCodeAndNamesWhatFailed)
{
    reg->setValue(Hive::ClassesRoot, "Loop.A\\CurVer", "", Value::string("Loop.B"));
    reg->setValue(Hive::ClassesRoot, "Loop.B\\CurVer", "", Value::string("Loop.A"));
    reg->setValue(Hive::ClassesRoot, "Orphan.Class\\CLSID", "", Value::string("{00000000-1111-2222-3333-444444444444}"));
    registerModule("{00000000-0000-0000-0000-00000000000A}", "/nonexistent/libmissing.so");
    registerModule("{00000000-0000-0000-0000-00000000000B}", BROKEN_MODULE_PATH);
    registerModule("{00000000-0000-0000-0000-00000000000C}", COUNTER_MODULE_PATH);
    struct Case {
        const char* name;
        HRESULT hr;
        const char* described;
    } cases[] = {
        {"No.Such.Class", CO_E_CLASSSTRING, ""},
        {"", CO_E_CLASSSTRING, ""},
        {"{not-a-guid}", CO_E_CLASSSTRING, ""},
        {"Orvel.TestCounter\\CurVer", CO_E_CLASSSTRING, ""},
        {"Loop.A", CO_E_CLASSSTRING, ""},
        {"{00000000-1111-2222-3333-444444444444}", REGDB_E_CLASSNOTREG, ""},
        {"Orphan.Class", REGDB_E_CLASSNOTREG, ""},  // a ProgID whose CLSID has no server
        {"{00000000-0000-0000-0000-00000000000A}", CO_E_DLLNOTFOUND, "libmissing.so"},
        {"{00000000-0000-0000-0000-00000000000B}", CO_E_ERRORINDLL, "DllGetClassObject"},
        {"{00000000-0000-0000-0000-00000000000C}", CLASS_E_CLASSNOTAVAILABLE, ""},  // not a class it serves
    };
    for (const Case& c : cases) {
        HRESULT hr = S_OK;
        EXPECT_FALSE(com::createInstance<IUnknown>(c.name, &hr)) << c.name;
        EXPECT_EQ(hr, c.hr) << c.name;
        EXPECT_NE(com::lastErrorDescription().find(c.described), std::string::npos) << com::lastErrorDescription();
    }
    HRESULT hr = S_OK;
    EXPECT_FALSE(com::createInstance<IClassFactory>(testCounterClsidText, &hr));
    EXPECT_EQ(hr, E_NOINTERFACE);
    CLSID clsid;
    EXPECT_EQ(CLSIDFromProgID(u"No.Such.Class", &clsid), CO_E_CLASSSTRING);
    EXPECT_EQ(CLSIDFromProgID(nullptr, &clsid), E_INVALIDARG);
    ComPtr<IUnknown> object;  // only in-process servers exist
    EXPECT_EQ(CoCreateInstance(testCounterClsid, nullptr, CLSCTX_LOCAL_SERVER, IUnknown::iid, object.putVoid()),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(CoCreateInstance(testCounterClsid, nullptr, CLSCTX_ALL, IUnknown::iid, nullptr), E_POINTER);

    testenv::TempDir dir;  // a corrupt registry gives an error code, not a crash
    testenv::writeFile(dir / "garbage.db", std::string(4096, 'x'));
    testenv::ScopedEnv env("ORVEL_REGISTRY", (dir / "garbage.db").string());
    for (const char* name : {"Orvel.TestCounter", testCounterClsidText}) {
        EXPECT_FALSE(com::createInstance<ITestCounter>(name, &hr));
        EXPECT_EQ(hr, REGDB_E_READREGDB);
        EXPECT_NE(com::lastErrorDescription().find("garbage.db"), std::string::npos);
    }
}

TEST_F(ComRuntime, UnloadsAModuleOnlyWhenNoObjectOrServerLockIsAlive)
{
    com::freeUnusedLibraries();
    ComPtr<ITestCounter> counter = com::createInstance<ITestCounter>("Orvel.TestCounter");
    ASSERT_TRUE(counter);
    com::freeUnusedLibraries();
    EXPECT_TRUE(counterModuleLoaded()) << "unloaded while an object lives";
    EXPECT_EQ(increment(counter), 1);
    counter = nullptr;
    com::freeUnusedLibraries();
    EXPECT_FALSE(counterModuleLoaded());
    counter = com::createInstance<ITestCounter>("Orvel.TestCounter");  // loaded again on demand
    ASSERT_TRUE(counter);
    EXPECT_EQ(increment(counter), 1);
    counter = nullptr;

    for (BOOL lock : {TRUE_BOOL, 0}) {
        ComPtr<IClassFactory> factory;
        ASSERT_EQ(CoGetClassObject(testCounterClsid, CLSCTX_ALL, nullptr, IClassFactory::iid, factory.putVoid()), S_OK);
        EXPECT_EQ(factory->LockServer(lock), S_OK);
        factory = nullptr;
        com::freeUnusedLibraries();
        EXPECT_EQ(counterModuleLoaded(), lock != 0);
    }
}

}  // namespace
