// The Word stand-in as a registered COM class driven through IDispatch.
// (Registration, class object and unloading: tests/presentation/ModuleTest.)
#include <gtest/gtest.h>

#include "DocxReader.h"
#include "document/IDocument.h"
#include "com/ComRuntime.h"
#include "common/DispatchCall.h"
#include "common/Modules.h"
#include "common/TestEnv.h"

using namespace wordtest;
using testenv::Arguments;
using testenv::text;

// Names and arguments go through the type library's one method table (its
// coercions and errors: tests/registration/DispatchTest); here the wiring.
TEST(WordCom, DrivenThroughIDispatch)
{
    testenv::ScopedRegistry registry;
    testenv::TempDir dir;
    std::string error;
    ASSERT_TRUE(testenv::registerModule("liborvelword.so", &error)) << error;
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
