// The message texts of COM errors, as _com_error::ErrorMessage gives them.
#include <gtest/gtest.h>

#include "com/ComError.h"
#include "com/ComPtr.h"

namespace {

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
