// BSTR, VARIANT and GUID strings (their UTF conversion: tests/office).
#include <gtest/gtest.h>

#include "com/ComRuntime.h"
#include "com/ComString.h"
#include "com/Variant.h"
#include "common/CountedObject.h"

namespace {

TEST(Bstr, LengthPrefixCountsBytesAndKeepsEmbeddedNuls)
{
    const char16_t text[] = {u'a', 0, u'b'};
    BSTR s = SysAllocStringLen(text, 3);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(SysStringLen(s), 3u);
    EXPECT_EQ(reinterpret_cast<const std::uint32_t*>(s)[-1], 6u);
    EXPECT_EQ(s[3], u'\0');
    EXPECT_EQ(com::bstrView(s), std::u16string_view(text, 3));
    SysFreeString(s);
}

TEST(Bstr, NullIsTheEmptyString)
{
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    EXPECT_TRUE(com::bstrView(nullptr).empty());
    EXPECT_EQ(com::bstrToUtf8(nullptr), "");
    EXPECT_EQ(SysAllocString(nullptr), nullptr);
    SysFreeString(nullptr);
    BSTR zeroed = SysAllocStringLen(nullptr, 4);
    ASSERT_NE(zeroed, nullptr);
    EXPECT_EQ(SysStringLen(zeroed), 4u);
    EXPECT_EQ(zeroed[0], u'\0');
    SysFreeString(zeroed);
}

TEST(Bstr, HugeLengthsAreRefusedWithoutCrashing)
{
    EXPECT_EQ(SysAllocStringLen(nullptr, 0xFFFFFFF0u), nullptr);
}

TEST(Bstr, HolderCopiesMovesAndConverts)
{
    com::BStr a("Gr\xC3\xBC\xC3\x9F \xF0\x9F\x98\x80");
    EXPECT_EQ(a.length(), 7u);  // the astral character takes two code units
    com::BStr b = a;
    EXPECT_NE(a.get(), b.get());
    EXPECT_EQ(b.utf8(), a.utf8());
    com::BStr c = std::move(b);
    EXPECT_EQ(b.get(), nullptr);
    EXPECT_EQ(c.utf8(), "Gr\xC3\xBC\xC3\x9F \xF0\x9F\x98\x80");
    *c.put() = SysAllocString(u"out");
    EXPECT_EQ(c.utf8(), "out");
    BSTR raw = c.detach();
    EXPECT_EQ(c.get(), nullptr);
    com::BStr d = com::BStr::attach(raw);
    EXPECT_EQ(d.view(), u"out");
}

using testenv::CountedObject;

VARIANT textVariant(const char16_t* text)
{
    VARIANT v;
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(text);
    return v;
}

HRESULT changeTo(const VARIANT& source, VARTYPE type, VARIANT& result, USHORT flags = 0)
{
    VariantInit(&result);
    return VariantChangeType(&result, &source, flags, type);
}

TEST(Variant, ClearFreesStringsAndReleasesInterfaces)
{
    VARIANT s = textVariant(u"text");
    EXPECT_EQ(VariantClear(&s), S_OK);
    EXPECT_EQ(s.vt, VT_EMPTY);

    CountedObject object;
    VARIANT v;
    v.vt = VT_UNKNOWN;
    v.punkVal = &object;
    object.AddRef();
    VARIANT copy;
    VariantInit(&copy);
    EXPECT_EQ(VariantCopy(&copy, &v), S_OK);
    EXPECT_EQ(object.refs, 3u);
    VariantClear(&copy);
    VariantClear(&v);
    EXPECT_EQ(object.refs, 1u);
}

TEST(Variant, CopyDuplicatesStrings)
{
    VARIANT source = textVariant(u"abc");
    VARIANT copy;
    VariantInit(&copy);
    ASSERT_EQ(VariantCopy(&copy, &source), S_OK);
    EXPECT_NE(copy.bstrVal, source.bstrVal);
    VariantClear(&source);
    EXPECT_EQ(com::bstrView(copy.bstrVal), u"abc");
    VariantClear(&copy);
}

TEST(Variant, TextToBooleanAsAutomationDoes)
{
    struct Case {
        const char16_t* text;
        VARIANT_BOOL expected;
    } cases[] = {{u"True", VARIANT_TRUE}, {u"false", VARIANT_FALSE}, {u"-1", VARIANT_TRUE},
                 {u"0", VARIANT_FALSE},   {u" 1 ", VARIANT_TRUE},   {u"#TRUE#", VARIANT_TRUE}};
    for (const Case& c : cases) {
        VARIANT source = textVariant(c.text), result;
        ASSERT_EQ(changeTo(source, VT_BOOL, result), S_OK) << com::utf16ToUtf8(c.text);
        EXPECT_EQ(result.boolVal, c.expected) << com::utf16ToUtf8(c.text);
        VariantClear(&source);
    }
    VARIANT junk = textVariant(u"maybe"), result;
    EXPECT_EQ(changeTo(junk, VT_BOOL, result), DISP_E_TYPEMISMATCH);
    VariantClear(&junk);
}

TEST(Variant, BooleanToText)
{
    VARIANT b;
    b.vt = VT_BOOL;
    b.boolVal = VARIANT_TRUE;
    VARIANT result;
    ASSERT_EQ(changeTo(b, VT_BSTR, result), S_OK);
    EXPECT_EQ(com::bstrView(result.bstrVal), u"-1");
    VariantClear(&result);
    ASSERT_EQ(changeTo(b, VT_BSTR, result, VARIANT_ALPHABOOL), S_OK);
    EXPECT_EQ(com::bstrView(result.bstrVal), u"True");
    VariantClear(&result);
    b.boolVal = VARIANT_FALSE;
    ASSERT_EQ(changeTo(b, VT_BSTR, result), S_OK);
    EXPECT_EQ(com::bstrView(result.bstrVal), u"0");
    VariantClear(&result);
}

TEST(Variant, TextToNumbersWithRangeChecks)
{
    VARIANT result;
    VARIANT n = textVariant(u" 32767");
    EXPECT_EQ(changeTo(n, VT_I2, result), S_OK);
    EXPECT_EQ(result.iVal, 32767);
    VariantClear(&n);

    n = textVariant(u"40000");
    EXPECT_EQ(changeTo(n, VT_I2, result), DISP_E_OVERFLOW);
    EXPECT_EQ(changeTo(n, VT_I4, result), S_OK);
    EXPECT_EQ(result.lVal, 40000);
    VariantClear(&n);

    n = textVariant(u"2.5");  // banker's rounding
    EXPECT_EQ(changeTo(n, VT_I4, result), S_OK);
    EXPECT_EQ(result.lVal, 2);
    VariantClear(&n);

    n = textVariant(u"&H1F");
    EXPECT_EQ(changeTo(n, VT_I4, result), S_OK);
    EXPECT_EQ(result.lVal, 31);
    VariantClear(&n);

    for (const char16_t* bad : {u"", u"12abc", u"1e999", u"--1"}) {
        n = textVariant(bad);
        EXPECT_NE(changeTo(n, VT_I4, result), S_OK) << com::utf16ToUtf8(bad);
        VariantClear(&n);
    }
}

TEST(Variant, NumbersToText)
{
    VARIANT n;
    n.vt = VT_I4;
    n.lVal = -120;
    VARIANT result;
    ASSERT_EQ(changeTo(n, VT_BSTR, result), S_OK);
    EXPECT_EQ(com::bstrView(result.bstrVal), u"-120");
    VariantClear(&result);
    n.vt = VT_I2;
    n.iVal = 7;
    ASSERT_EQ(changeTo(n, VT_BOOL, result), S_OK);
    EXPECT_EQ(result.boolVal, VARIANT_TRUE);
}

TEST(Variant, ByReferenceSourcesAndConversionInPlace)
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
    EXPECT_EQ(v.vt, VT_BOOL);
    EXPECT_EQ(v.boolVal, VARIANT_TRUE);

    VARIANT nullRef;
    nullRef.vt = VT_BYREF | VT_I4;
    nullRef.plVal = nullptr;
    EXPECT_TRUE(FAILED(changeTo(nullRef, VT_I4, result)));
}

TEST(Variant, UnconvertibleSources)
{
    CountedObject object;
    VARIANT v;
    v.vt = VT_UNKNOWN;
    v.punkVal = &object;
    VARIANT result;
    EXPECT_EQ(changeTo(v, VT_I4, result), DISP_E_TYPEMISMATCH);
    VARIANT i;
    i.vt = VT_I4;
    i.lVal = 1;
    EXPECT_EQ(changeTo(i, VT_DISPATCH, result), DISP_E_BADVARTYPE);
    EXPECT_EQ(VariantChangeType(nullptr, &i, 0, VT_I4), E_INVALIDARG);
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

}  // namespace
