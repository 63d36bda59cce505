// The Word stand-in as a registered COM class: registration entries,
// creation by ProgID and by the back-end list, IDispatch, unregistration.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <limits.h>
#include <stdlib.h>

#include "DocxReader.h"
#include "document/IDocument.h"
#include "WordIds.h"
#include "com/ComRuntime.h"
#include "common/DispatchCall.h"
#include "common/Modules.h"
#include "common/TestEnv.h"
#include "registry/RegisterIt.h"
#include "registry/Registry.h"

using registry::Hive;
using namespace wordtest;
using testenv::Arguments;
using testenv::text;

namespace {

constexpr const char* moduleFile = "liborvelword.so";

std::string realModulePath()
{
    char resolved[PATH_MAX];
    std::string path = std::string(ORVEL_LIB_DIR) + "/" + moduleFile;
    return realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

std::string defaultValue(const std::string& key, const std::string& name = "")
{
    auto value = registry::Registry::openDefault()->getValue(Hive::ClassesRoot, key, name);
    return value ? value->text : std::string("<missing>");
}

std::vector<RegDoc> wordBackEnds()
{
    std::list<RegDoc> docs;
    EXPECT_TRUE(RegisterIt::readDocs(docs));
    std::vector<RegDoc> found;
    for (const RegDoc& d : docs)
        if (d.name == KestString("Microsoft Word")) found.push_back(d);
    return found;
}

}  // namespace

class WordComTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(testenv::registerModule(moduleFile, &error)) << error;
    }

    testenv::ScopedRegistry registry;
    testenv::TempDir dir;
};

TEST_F(WordComTest, RegistrationWritesTheClassAndTheBackEndEntryOnceAndUnregistrationRemovesThem)
{
    const std::string clsidKey = std::string("CLSID\\") + word::clsidText;
    EXPECT_EQ(defaultValue(clsidKey + "\\InprocServer32"), realModulePath());
    EXPECT_EQ(defaultValue(clsidKey + "\\InprocServer32", "ThreadingModel"), "Apartment");
    EXPECT_EQ(defaultValue(clsidKey + "\\ProgID"), "Orvel.WordDocument.1");
    EXPECT_EQ(defaultValue(clsidKey + "\\VersionIndependentProgID"), "Orvel.WordDocument");
    EXPECT_EQ(defaultValue("Orvel.WordDocument\\CurVer"), "Orvel.WordDocument.1");
    EXPECT_EQ(defaultValue("Orvel.WordDocument.1\\CLSID"), "{6F1E2A40-3B7C-4D58-9E21-8A4C0B7D5E11}");
    ASSERT_TRUE(testenv::registerModule(moduleFile));  // again: still one entry
    auto entries = wordBackEnds();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].classId.str(), "{6F1E2A40-3B7C-4D58-9E21-8A4C0B7D5E11}");
    EXPECT_EQ(entries[0].module.str(), realModulePath());
    {
        auto alive = com::createInstance<IDocument>("Orvel.WordDocument.1");
        ASSERT_TRUE(alive);
    }

    ASSERT_TRUE(testenv::unregisterModule(moduleFile));
    auto reg = registry::Registry::openDefault();
    for (const std::string& key : {clsidKey, std::string("Orvel.WordDocument"), std::string("Orvel.WordDocument.1")})
        EXPECT_FALSE(reg->keyExists(Hive::ClassesRoot, key)) << key;
    EXPECT_TRUE(wordBackEnds().empty());
    HRESULT hr = S_OK;
    EXPECT_FALSE(com::createInstance<IDocument>("Orvel.WordDocument", &hr));
    EXPECT_EQ(hr, CO_E_CLASSSTRING);
}

// Names and arguments go through the type library's one method table (its
// coercions and errors: tests/registration/DispatchTest); here the wiring.
TEST_F(WordComTest, DrivenThroughIDispatch)
{
    auto document = com::createInstance<IDispatch>("Orvel.WordDocument");
    ASSERT_TRUE(document);
    IDispatch& d = *document.get();
    auto path = dir / "dispatched.docx";
    auto call = [&](const char* name, Arguments&& args = {}) { return testenv::invoke(d, testenv::idOf(d, name), std::move(args)); };
    EXPECT_EQ(call("start"), S_OK);
    EXPECT_EQ(call("create", {text(path.string())}), S_OK);
    EXPECT_EQ(call("setTableRowHeight", {text("20")}), S_OK);  // coerced to a number
    EXPECT_EQ(call("insertText", {text("Dispatched")}), S_OK);
    EXPECT_EQ(testenv::idOf(d, "noSuchMethod"), DISPID_UNKNOWN);
    EXPECT_EQ(call("insertText"), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(call("close"), S_OK);
    EXPECT_EQ(bodyParagraphs(mainPart(path)), std::vector<std::string>{"Dispatched"});
}

// A class object alone holds nothing; a server lock or a live object does.
TEST_F(WordComTest, TheClassObjectServesOnlyItsClassAndTheModuleUnloadsWhenNothingHoldsIt)
{
    void* module = dlopen((std::string(ORVEL_LIB_DIR) + "/" + moduleFile).c_str(), RTLD_NOW | RTLD_NOLOAD);
    ASSERT_TRUE(module);
    auto getClassObject = reinterpret_cast<DllGetClassObjectFn>(dlsym(module, "DllGetClassObject"));
    auto canUnload = reinterpret_cast<DllCanUnloadNowFn>(dlsym(module, "DllCanUnloadNow"));
    ComPtr<IClassFactory> factory;
    EXPECT_EQ(getClassObject(IID_IDocument, IClassFactory::iid, factory.putVoid()), CLASS_E_CLASSNOTAVAILABLE);
    ASSERT_EQ(getClassObject(word::CLSID_WordDocument, IClassFactory::iid, factory.putVoid()), S_OK);
    EXPECT_EQ(canUnload(), S_OK);
    ComPtr<IDocument> object;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDocument, object.putVoid()), S_OK);
    EXPECT_EQ(canUnload(), S_FALSE);
    object = nullptr;
    EXPECT_EQ(factory->LockServer(1), S_OK);
    factory = nullptr;
    EXPECT_EQ(canUnload(), S_FALSE);
    ComPtr<IClassFactory> again;
    ASSERT_EQ(getClassObject(word::CLSID_WordDocument, IClassFactory::iid, again.putVoid()), S_OK);
    again->LockServer(0);
    again = nullptr;
    EXPECT_EQ(canUnload(), S_OK);
    dlclose(module);
}
