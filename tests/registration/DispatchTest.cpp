// IDocument through IDispatch: names and ids from the type library, Invoke
// with VARIANT arguments. (Invoke and the script reader make their calls
// through the one method table of the type library.)
#include <gtest/gtest.h>

#include "com/ComRuntime.h"
#include "com/ComString.h"
#include "com/Variant.h"
#include "common/Modules.h"
#include "common/TestEnv.h"
#include "document/DocumentTypeLib.h"
#include "document/IDocument.h"
#include "support/KestException.h"

namespace {


// Arguments for Invoke, last first, freed when the call is over.
class Arguments {
public:
    Arguments() = default;
    Arguments(const Arguments&) = delete;
    Arguments& operator=(const Arguments&) = delete;
    ~Arguments()
    {
        for (VARIANT& v : values_) VariantClear(&v);
    }
    Arguments& text(std::string_view utf8)
    {
        VARIANT v;
        v.vt = VT_BSTR;
        v.bstrVal = com::allocBstr(utf8);
        return add(v);
    }
    Arguments& i2(std::int16_t n)
    {
        VARIANT v;
        v.vt = VT_I2;
        v.iVal = n;
        return add(v);
    }
    Arguments& i4(std::int32_t n)
    {
        VARIANT v;
        v.vt = VT_I4;
        v.lVal = n;
        return add(v);
    }
    Arguments& boolean(bool b)
    {
        VARIANT v;
        v.vt = VT_BOOL;
        v.boolVal = b ? VARIANT_TRUE : VARIANT_FALSE;
        return add(v);
    }
    Arguments& outText(BSTR* target)
    {
        VARIANT v;
        v.vt = VT_BYREF | VT_BSTR;
        v.pbstrVal = target;
        return add(v);
    }
    Arguments& raw(const VARIANT& v) { return add(v); }
    DISPPARAMS* params()
    {
        params_.rgvarg = values_.data();
        params_.cArgs = static_cast<UINT>(values_.size());
        return &params_;
    }

private:
    Arguments& add(const VARIANT& v)
    {
        values_.insert(values_.begin(), v);  // automation passes the last argument first
        return *this;
    }
    std::vector<VARIANT> values_;
    DISPPARAMS params_;
};

DISPID idOf(IDispatch& dispatch, const char* name)
{
    std::u16string n = com::utf8ToUtf16(name);
    LPOLESTR names[] = {n.data()};
    DISPID id = 0;
    EXPECT_EQ(dispatch.GetIDsOfNames(GUID_NULL, names, 1, 0, &id), S_OK) << name;
    return id;
}

HRESULT invoke(IDispatch& dispatch, DISPID id, Arguments& args, UINT* argumentError = nullptr)
{
    VARIANT result;
    EXCEPINFO exception;
    UINT error = 0;
    HRESULT hr = dispatch.Invoke(id, GUID_NULL, 0, DISPATCH_METHOD, args.params(), &result, &exception,
                                 argumentError ? argumentError : &error);
    VariantClear(&result);
    return hr;
}

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
    EXPECT_EQ(idOf(*dispatch.get(), "create"), 1);
    EXPECT_EQ(idOf(*dispatch.get(), "INSERTTEXT"), 3);
    EXPECT_EQ(idOf(*dispatch.get(), "popDirectory"), 42);
    for (const doctypelib::MethodInfo& m : doctypelib::methods()) EXPECT_EQ(idOf(*dispatch.get(), m.name), m.dispid);

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
    Arguments none;
    EXPECT_EQ(invoke(*dispatch.get(), 0, none), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(invoke(*dispatch.get(), 43, none), DISP_E_MEMBERNOTFOUND);
    VARIANT result;
    EXPECT_EQ(dispatch->Invoke(24, GUID_NULL, 0, DISPATCH_PROPERTYPUT, none.params(), &result, nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);

    Arguments tooMany;
    tooMany.i2(1).i2(2);
    EXPECT_EQ(invoke(*dispatch.get(), 20, tooMany), DISP_E_BADPARAMCOUNT);  // setFontSize
    Arguments tooFew;
    EXPECT_EQ(invoke(*dispatch.get(), 14, tooFew), DISP_E_BADPARAMCOUNT);  // setOption

    Arguments word;
    word.text("twelve");
    UINT position = 99;
    EXPECT_EQ(invoke(*dispatch.get(), 20, word, &position), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(position, 0u);
    Arguments notAText;
    notAText.text("a.txt").text("link");  // insertFile(BSTR, short): the second is no number
    EXPECT_EQ(invoke(*dispatch.get(), 23, notAText, &position), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(position, 0u);  // the last argument comes first
    Arguments tooBig;
    tooBig.i4(70000);
    EXPECT_EQ(invoke(*dispatch.get(), 20, tooBig), DISP_E_OVERFLOW);
    Arguments notByReference;
    notByReference.text("x");
    EXPECT_EQ(invoke(*dispatch.get(), 24, notByReference), DISP_E_TYPEMISMATCH);  // getDocType

    Arguments named;
    named.i2(12);
    DISPID name = 0;
    named.params()->rgdispidNamedArgs = &name;
    named.params()->cNamedArgs = 1;
    EXPECT_EQ(dispatch->Invoke(20, GUID_NULL, 0, DISPATCH_METHOD, named.params(), &result, nullptr, nullptr),
              DISP_E_NONAMEDARGS);
    named.params()->cNamedArgs = 0;
}

TEST_F(Dispatch, ArgumentsAreCoercedAndOutTextsFilled)
{
    com::BStr docType, page;
    Arguments a;
    a.outText(docType.put());
    ASSERT_EQ(invoke(*dispatch.get(), 24, a), S_OK);
    EXPECT_EQ(docType.utf8(), "PowerPoint");
    Arguments b;
    b.outText(page.put());
    ASSERT_EQ(invoke(*dispatch.get(), 16, b), S_OK);
    EXPECT_EQ(page.utf8(), "{474BDD95-0170-11D3-A6BF-00104B2AEFE1}");

    // A number given as text, a boolean as a number: converted as automation does.
    Arguments size;
    size.text("12");
    EXPECT_EQ(invoke(*dispatch.get(), 20, size), S_OK);
    Arguments attribute;
    attribute.i4(1).i4(1);
    EXPECT_EQ(invoke(*dispatch.get(), 21, attribute), S_OK);
    Arguments byReference;
    VARIANT inner;
    inner.vt = VT_I2;
    inner.iVal = 3;
    VARIANT ref;
    ref.vt = VT_BYREF | VT_VARIANT;
    ref.pvarVal = &inner;
    byReference.raw(ref);
    EXPECT_EQ(invoke(*dispatch.get(), 15, byReference), S_OK);  // trace(-level as a referenced variant)
}

TEST_F(Dispatch, AFailureOfTheMethodLeavesInvokeAsItLeavesTheFunctionTable)
{
    // No PowerPoint is registered in this registry.
    Arguments none;
    try {
        invoke(*dispatch.get(), 17, none);  // start
        FAIL() << "start did not raise";
    } catch (const KestException& e) {
        EXPECT_EQ(e.reasonText().str(), "Cannot open PowerPoint\nPlease install PowerPoint.\n");
    }
}

}  // namespace
