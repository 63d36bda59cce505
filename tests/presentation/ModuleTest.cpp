// The COM module: registration in the registry, creation by ProgID through
// the COM runtime, one running application per process.
#include <dlfcn.h>

#include "PptTestSupport.h"
#include "com/ComRuntime.h"
#include "common/Modules.h"
#include "registry/Registry.h"

namespace ppttest {
namespace {

TEST(PowerPointModule, RegistersCreatesTheRunningApplicationAndUnregisters)
{
    testenv::ScopedRegistry scoped;
    std::string error;
    ASSERT_TRUE(testenv::registerModule("libpowerpoint.so", &error)) << error;
    auto registry = registry::Registry::openDefault();
    using registry::Hive;
    const std::string classKey = std::string("CLSID\\") + applicationClsidString;
    EXPECT_EQ(registry->getValue(Hive::ClassesRoot, "PowerPoint.Application", "")->text, "Microsoft PowerPoint Application");
    EXPECT_EQ(registry->getValue(Hive::ClassesRoot, "PowerPoint.Application\\CLSID", "")->text, applicationClsidString);
    const auto server = registry->getValue(Hive::ClassesRoot, classKey + "\\InprocServer32", "");
    ASSERT_TRUE(server);
    EXPECT_EQ(server->text, std::filesystem::canonical(std::string(ORVEL_LIB_DIR) + "/libpowerpoint.so").string());
    EXPECT_EQ(registry->getValue(Hive::ClassesRoot, classKey + "\\InprocServer32", "ThreadingModel")->text, "Apartment");
    EXPECT_EQ(registry->getValue(Hive::ClassesRoot, classKey + "\\ProgID", "")->text, "PowerPoint.Application");

    HRESULT hr = E_FAIL;
    auto app = com::createInstance<_Application>("PowerPoint.Application", &hr);
    ASSERT_EQ(hr, S_OK);
    ASSERT_TRUE(app);
    // PowerPoint runs once: a second creation gets the same application.
    auto again = com::createInstance<_Application>(applicationClsidString, &hr);
    EXPECT_EQ(again.get(), app.get());
    app->GetPresentations()->Add(msoTrue);
    EXPECT_EQ(again->GetPresentations()->GetCount(), 1);
    app->Quit();
    again = nullptr;
    app = nullptr;

    ASSERT_TRUE(testenv::unregisterModule("libpowerpoint.so", &error)) << error;
    EXPECT_FALSE(registry->keyExists(Hive::ClassesRoot, "PowerPoint.Application"));
    EXPECT_FALSE(registry->keyExists(Hive::ClassesRoot, classKey));
    EXPECT_EQ(com::createInstance<_Application>("PowerPoint.Application", &hr), nullptr);
    EXPECT_TRUE(FAILED(hr));
}

TEST(PowerPointModule, EntryPointsServeOnlyTheApplicationAndKnowWhenTheyAreIdle)
{
    void* module = dlopen((std::string(ORVEL_LIB_DIR) + "/libpowerpoint.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    auto getClassObject = reinterpret_cast<DllGetClassObjectFn>(dlsym(module, "DllGetClassObject"));
    auto canUnloadNow = reinterpret_cast<DllCanUnloadNowFn>(dlsym(module, "DllCanUnloadNow"));
    ASSERT_TRUE(getClassObject && canUnloadNow);

    ComPtr<IClassFactory> factory;
    EXPECT_EQ(getClassObject(IClassFactory::iid, IClassFactory::iid, factory.putVoid()), CLASS_E_CLASSNOTAVAILABLE);
    ASSERT_EQ(getClassObject(CLSID_Application, IClassFactory::iid, factory.putVoid()), S_OK);
    ComPtr<IUnknown> object;
    EXPECT_EQ(factory->CreateInstance(factory.get(), IUnknown::iid, object.putVoid()), CLASS_E_NOAGGREGATION);
    ComPtr<_Application> app;
    ASSERT_EQ(factory->CreateInstance(nullptr, _Application::iid, app.putVoid()), S_OK);
    factory = nullptr;
    // The running application keeps the module loaded until it quits.
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    app->Quit();
    app = nullptr;
    EXPECT_EQ(canUnloadNow(), S_OK);
    dlclose(module);
}

}  // namespace
}  // namespace ppttest
