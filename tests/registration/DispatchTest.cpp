// IDocument through IDispatch: names and ids from the type library, Invoke
// with VARIANT arguments. (Invoke and the script reader make their calls
// through the one method table of the type library.)
#include <gtest/gtest.h>

#include "com/ComRuntime.h"
#include "common/DispatchCall.h"
#include "common/Modules.h"
#include "common/TestEnv.h"
#include "document/DocumentTypeLib.h"
#include "document/IDocument.h"
#include "support/KestException.h"

namespace {

using namespace testenv;

class Dispatch : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(testenv::registerModule("liborvelcom.so", &error)) << error;
        HRESULT hr = E_FAIL;
        document = com::createInstance<IDocument>("Orvel.Orvel", &hr);
        ASSERT_TRUE(document) << std::hex << hr;
        dispatch = document.as<IDispatch>();
        ASSERT_TRUE(dispatch);
    }
    testenv::ScopedRegistry scopedRegistry;
    ComPtr<IDocument> document;
    ComPtr<IDispatch> dispatch;
};

TEST_F(Dispatch, NamesMapToTheTypeLibrarysIdsWhateverTheirCase)
{
    EXPECT_EQ(idOf(*dispatch.get(), "INSERTTEXT"), 3);
    for (const doctypelib::MethodInfo& m : doctypelib::methods()) EXPECT_EQ(idOf(*dispatch.get(), m.name), m.dispid) << m.name;

    std::u16string method = u"insertFile", param = u"insertAsType", bad = u"noSuchMethod";
    LPOLESTR names[] = {method.data(), param.data()};
    DISPID ids[2] = {0, 0};
    ASSERT_EQ(dispatch->GetIDsOfNames(GUID_NULL, names, 2, 0, ids), S_OK);
    EXPECT_EQ(ids[0], 23);
    EXPECT_EQ(ids[1], 1);  // parameters are numbered by position
    LPOLESTR unknown[] = {bad.data()};
    EXPECT_EQ(dispatch->GetIDsOfNames(GUID_NULL, unknown, 1, 0, ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[0], DISPID_UNKNOWN);

    UINT count = 7;
    EXPECT_EQ(dispatch->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(dispatch->GetTypeInfoCount(nullptr), E_POINTER);
}

TEST_F(Dispatch, BadCallsAreRefusedWithTheAutomationErrors)
{
    IDispatch& d = *dispatch.get();
    EXPECT_EQ(invoke(d, 0, Arguments{}), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(invoke(d, 43, Arguments{}), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(invoke(d, 24, Arguments{}, nullptr, DISPATCH_PROPERTYPUT), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(invoke(d, 20, Arguments{variant(VT_I2, 1), variant(VT_I2, 2)}), DISP_E_BADPARAMCOUNT);  // setFontSize
    EXPECT_EQ(invoke(d, 14, Arguments{}), DISP_E_BADPARAMCOUNT);                                     // setOption
    UINT position = 99;
    EXPECT_EQ(invoke(d, 20, Arguments{text("twelve")}, &position), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(position, 0u);
    // insertFile(BSTR, short): the second is no number, and the last argument comes first.
    EXPECT_EQ(invoke(d, 23, Arguments{text("a.txt"), text("link")}, &position), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(position, 0u);
    EXPECT_EQ(invoke(d, 20, Arguments{variant(VT_I4, 70000)}), DISP_E_OVERFLOW);
    EXPECT_EQ(invoke(d, 24, Arguments{text("x")}), DISP_E_TYPEMISMATCH);  // getDocType wants a reference

    Arguments named{variant(VT_I2, 12)};
    DISPID name = 0;
    named.params.rgdispidNamedArgs = &name;
    named.params.cNamedArgs = 1;
    VARIANT result;
    EXPECT_EQ(d.Invoke(20, GUID_NULL, 0, DISPATCH_METHOD, &named.params, &result, nullptr, nullptr), DISP_E_NONAMEDARGS);
}

TEST_F(Dispatch, ArgumentsAreCoercedAndOutTextsFilled)
{
    IDispatch& d = *dispatch.get();
    com::BStr docType, page;
    ASSERT_EQ(invoke(d, 24, Arguments{variant(VT_BYREF | VT_BSTR, 0, docType.put())}), S_OK);
    EXPECT_EQ(docType.utf8(), "PowerPoint");
    ASSERT_EQ(invoke(d, 16, Arguments{variant(VT_BYREF | VT_BSTR, 0, page.put())}), S_OK);
    EXPECT_EQ(page.utf8(), "{474BDD95-0170-11D3-A6BF-00104B2AEFE1}");
    // A number given as text, a boolean as a number: converted as automation does.
    EXPECT_EQ(invoke(d, 20, Arguments{text("12")}), S_OK);
    EXPECT_EQ(invoke(d, 21, Arguments{variant(VT_I4, 1), variant(VT_I4, 1)}), S_OK);
    VARIANT inner = variant(VT_I2, 3), ref = variant(VT_BYREF | VT_VARIANT);
    ref.pvarVal = &inner;
    EXPECT_EQ(invoke(d, 15, Arguments{ref}), S_OK);  // trace(-level as a referenced variant)
}

TEST_F(Dispatch, AFailureOfTheMethodLeavesInvokeAsItLeavesTheFunctionTable)
{
    // No PowerPoint is registered in this registry.
    try {
        invoke(*dispatch.get(), 17, Arguments{});  // start
        FAIL() << "start did not raise";
    } catch (const KestException& e) {
        EXPECT_EQ(e.reasonText().str(), "Cannot open PowerPoint\nPlease install PowerPoint.\n");
    }
}

}  // namespace
