// BSTR, VARIANT, GUID strings (their UTF conversion: tests/office) and the
// messages of COM errors, as _com_error::ErrorMessage gives them.
#include <gtest/gtest.h>

#include "com/ComError.h"
#include "com/ComPtr.h"
#include "com/ComRuntime.h"
#include "com/ComString.h"
#include "com/Variant.h"
#include "common/CountedObject.h"

namespace {

using testenv::CountedObject;

TEST(Bstr, LengthPrefixEmbeddedNulsNullAndHugeLengths)
{
    const char16_t text[] = {u'a', 0, u'b'};
    BSTR s = SysAllocStringLen(text, 3);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(SysStringLen(s), 3u);
    EXPECT_EQ(s[3], u'\0');
    EXPECT_EQ(com::bstrView(s), std::u16string_view(text, 3));
    SysFreeString(s);

    EXPECT_EQ(SysStringLen(nullptr), 0u);  // null is the empty string
    EXPECT_EQ(com::bstrToUtf8(nullptr), "");
    EXPECT_EQ(SysAllocString(nullptr), nullptr);
    SysFreeString(nullptr);
    BSTR zeroed = SysAllocStringLen(nullptr, 4);
    ASSERT_NE(zeroed, nullptr);
    EXPECT_EQ(SysStringLen(zeroed), 4u);
    EXPECT_EQ(zeroed[0], u'\0');
    SysFreeString(zeroed);
    EXPECT_EQ(SysAllocStringLen(nullptr, 0xFFFFFFF0u), nullptr);
}

TEST(Bstr, HolderCopiesMovesAndConverts)
{
    com::BStr a("Gr\xC3\xBC\xC3\x9F \xF0\x9F\x98\x80");
    EXPECT_EQ(a.length(), 7u);  // the astral character takes two code units
    com::BStr b = a;
    EXPECT_NE(a.get(), b.get());
    com::BStr c = std::move(b);
    EXPECT_EQ(b.get(), nullptr);
    EXPECT_EQ(c.utf8(), a.utf8());
    *c.put() = SysAllocString(u"out");
    BSTR raw = c.detach();
    EXPECT_EQ(c.get(), nullptr);
    EXPECT_EQ(com::BStr::attach(raw).view(), u"out");
}

VARIANT textVariant(const char16_t* text)
{
    VARIANT v;
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(text);
    return v;
}

VARIANT numberVariant(VARTYPE type, LONG n)
{
    VARIANT v;
    v.vt = type;
    if (type == VT_BOOL) v.boolVal = n ? VARIANT_TRUE : VARIANT_FALSE;
    if (type == VT_I2) v.iVal = static_cast<SHORT>(n);
    if (type == VT_I4) v.lVal = n;
    return v;
}

std::string shown(const VARIANT& v)
{
    switch (v.vt) {
    case VT_BSTR: return com::bstrToUtf8(v.bstrVal);
    case VT_BOOL: return v.boolVal == VARIANT_TRUE ? "true" : v.boolVal == VARIANT_FALSE ? "false" : "odd";
    case VT_I2: return std::to_string(v.iVal);
    case VT_I4: return std::to_string(v.lVal);
    default: return "vt " + std::to_string(v.vt);
    }
}

HRESULT changeTo(const VARIANT& source, VARTYPE type, VARIANT& result, USHORT flags = 0)
{
    VariantInit(&result);
    return VariantChangeType(&result, &source, flags, type);
}

TEST(Variant, ClearAndCopyOwnStringsAndReferences)
{
    VARIANT source = textVariant(u"abc"), copy;
    VariantInit(&copy);
    ASSERT_EQ(VariantCopy(&copy, &source), S_OK);
    EXPECT_NE(copy.bstrVal, source.bstrVal);
    EXPECT_EQ(VariantClear(&source), S_OK);
    EXPECT_EQ(source.vt, VT_EMPTY);
    EXPECT_EQ(com::bstrView(copy.bstrVal), u"abc");
    VariantClear(&copy);

    CountedObject object;
    VARIANT v;
    v.vt = VT_UNKNOWN;
    v.punkVal = &object;
    object.AddRef();
    EXPECT_EQ(VariantCopy(&copy, &v), S_OK);
    EXPECT_EQ(object.refs, 3u);
    VARIANT result;
    EXPECT_EQ(changeTo(v, VT_I4, result), DISP_E_TYPEMISMATCH);  // an object is no number
    VariantClear(&copy);
    VariantClear(&v);
    EXPECT_EQ(object.refs, 1u);
}

// Conversions as automation makes them; a failure leaves the result empty.
TEST(Variant, ChangeTypeAsAutomationDoes)
{
    struct Case {
        const char16_t* text;  // the source when set, else `number` of type `from`
        VARTYPE from;
        LONG number;
        VARTYPE to;
        USHORT flags;
        HRESULT hr;
        const char* expected;
    } cases[] = {
        {u"True", 0, 0, VT_BOOL, 0, S_OK, "true"},       {u"false", 0, 0, VT_BOOL, 0, S_OK, "false"},
        {u"-1", 0, 0, VT_BOOL, 0, S_OK, "true"},         {u"0", 0, 0, VT_BOOL, 0, S_OK, "false"},
        {u" 1 ", 0, 0, VT_BOOL, 0, S_OK, "true"},        {u"#TRUE#", 0, 0, VT_BOOL, 0, S_OK, "true"},
        {u"maybe", 0, 0, VT_BOOL, 0, DISP_E_TYPEMISMATCH, ""},
        {nullptr, VT_BOOL, 1, VT_BSTR, 0, S_OK, "-1"},   {nullptr, VT_BOOL, 1, VT_BSTR, VARIANT_ALPHABOOL, S_OK, "True"},
        {nullptr, VT_BOOL, 0, VT_BSTR, 0, S_OK, "0"},    {nullptr, VT_I4, -120, VT_BSTR, 0, S_OK, "-120"},
        {nullptr, VT_I2, 7, VT_BOOL, 0, S_OK, "true"},   {nullptr, VT_I4, 1, VT_DISPATCH, 0, DISP_E_BADVARTYPE, ""},
        {u" 32767", 0, 0, VT_I2, 0, S_OK, "32767"},      {u"40000", 0, 0, VT_I2, 0, DISP_E_OVERFLOW, ""},
        {u"40000", 0, 0, VT_I4, 0, S_OK, "40000"},       {u"2.5", 0, 0, VT_I4, 0, S_OK, "2"},  // banker's rounding
        {u"&H1F", 0, 0, VT_I4, 0, S_OK, "31"},           {u"", 0, 0, VT_I4, 0, DISP_E_TYPEMISMATCH, ""},
        {u"12abc", 0, 0, VT_I4, 0, DISP_E_TYPEMISMATCH, ""}, {u"1e999", 0, 0, VT_I4, 0, DISP_E_TYPEMISMATCH, ""},
        {u"--1", 0, 0, VT_I4, 0, DISP_E_TYPEMISMATCH, ""},
    };
    for (const Case& c : cases) {
        VARIANT source = c.text ? textVariant(c.text) : numberVariant(c.from, c.number), result;
        SCOPED_TRACE(c.text ? com::utf16ToUtf8(c.text) : shown(source) + " to vt " + std::to_string(c.to));
        EXPECT_EQ(changeTo(source, c.to, result, c.flags), c.hr);
        EXPECT_EQ(SUCCEEDED(c.hr) ? shown(result) : std::string(), c.expected);
        VariantClear(&source);
        VariantClear(&result);
    }
}

TEST(Variant, ByReferenceSourcesConversionInPlaceAndBadArguments)
{
    BSTR out = SysAllocString(u"12");
    VARIANT ref;
    ref.vt = VT_BYREF | VT_BSTR;
    ref.pbstrVal = &out;
    VARIANT result;
    ASSERT_EQ(changeTo(ref, VT_I2, result), S_OK);
    EXPECT_EQ(result.iVal, 12);
    SysFreeString(out);

    VARIANT v = textVariant(u"-1");
    ASSERT_EQ(VariantChangeType(&v, &v, 0, VT_BOOL), S_OK);
    EXPECT_EQ(shown(v), "true");

    VARIANT nullRef;
    nullRef.vt = VT_BYREF | VT_I4;
    nullRef.plVal = nullptr;
    EXPECT_TRUE(FAILED(changeTo(nullRef, VT_I4, result)));
    EXPECT_EQ(VariantChangeType(nullptr, &v, 0, VT_I4), E_INVALIDARG);
}

TEST(Guid, StringsInEitherCaseWithOrWithoutBraces)
{
    constexpr GUID orvel = makeGuid("{474BDD94-0170-11D3-A6BF-00104B2AEFE1}");
    EXPECT_EQ(com::guidToString(orvel), "{474BDD94-0170-11D3-A6BF-00104B2AEFE1}");
    GUID parsed;
    ASSERT_TRUE(com::guidFromString("{474bdd94-0170-11d3-a6bf-00104b2aefe1}", parsed));
    EXPECT_EQ(parsed, orvel);
    ASSERT_TRUE(com::guidFromString("474BDD94-0170-11d3-A6BF-00104B2AEFE1", parsed));
    EXPECT_EQ(parsed, orvel);
    for (const char* bad : {"", "{474BDD94-0170-11D3-A6BF-00104B2AEFE1", "{474BDD94-0170-11D3-A6BF-00104B2AEFEG}",
                            "{474BDD940-170-11D3-A6BF-00104B2AEFE1}", "Orvel.Orvel",
                            "{474BDD94-0170-11D3-A6BF-00104B2AEFE1}x"})
        EXPECT_FALSE(com::guidFromString(bad, parsed)) << bad;
}

std::string messageOf(std::uint32_t hr)
{
    return ComError(makeHResult(hr)).ErrorMessage();
}

TEST(ComErrorMessage, SystemTextsWithoutTheirLineEndInterfaceErrorsAndUnknownCodes)
{
    struct Case {
        std::uint32_t hr;
        const char* text;
    } cases[] = {
        {0x00000000u, "The operation completed successfully."},
        {0x80004003u, "Invalid pointer"},
        {0x80070057u, "The parameter is incorrect."},
        {0x800401F3u, "Invalid class string"},
        {0x80040154u, "Class not registered"},
        {0x80070002u, "The system cannot find the file specified."},
        {0x80020005u, "Type mismatch."},
        // Interface errors are numbered from their base, 0x80040200 (itself outside, as is 0x80050000).
        {0x80040201u, "IDispatch error #1"},
        {0x80040300u, "IDispatch error #256"},
        {0x8004FFFFu, "IDispatch error #65023"},
        {0x80040200u, "Unknown error 0x80040200"},
        {0x80050000u, "Unknown error 0x80050000"},
        {0x8000FFFEu, "Unknown error 0x8000FFFE"},
        {0xC00000ABu, "Unknown error 0xC00000AB"},
        {0x00000007u, "Unknown error 0x7"},
    };
    for (const Case& c : cases) EXPECT_EQ(messageOf(c.hr), c.text) << std::hex << c.hr;
    // The raw system text ends with CR LF; a plain Win32 code is read as one.
    EXPECT_EQ(com::systemMessage(2), "The system cannot find the file specified.\r\n");
    EXPECT_EQ(com::systemMessage(makeHResult(0x80041234u)), "");
}

TEST(ComErrorObject, CarriesCodeDescriptionAndWhatAndIsRaisedForFailuresOnly)
{
    ComError withText(E_FAIL, "the printer is on fire");
    EXPECT_EQ(withText.Error(), E_FAIL);
    EXPECT_EQ(withText.Description(), "the printer is on fire");
    EXPECT_STREQ(withText.what(), "0x80004005: the printer is on fire");
    EXPECT_STREQ(ComError(E_POINTER).what(), "0x80004003: Invalid pointer");
    EXPECT_NO_THROW(com::check(S_OK));
    EXPECT_NO_THROW(com::check(S_FALSE));
    try {
        com::check(REGDB_E_CLASSNOTREG, "creating the back-end");
        FAIL() << "no exception";
    } catch (const ComError& e) {
        EXPECT_EQ(e.Error(), REGDB_E_CLASSNOTREG);
        EXPECT_EQ(e.Description(), "creating the back-end");
    }
    ComPtr<IUnknown> none;
    try {
        none->AddRef();
        FAIL() << "no exception";
    } catch (const ComError& e) {
        EXPECT_EQ(e.Error(), E_POINTER);
    }
}

}  // namespace
