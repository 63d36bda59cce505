// Time, running objects and the message box.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>

#include "com/ComRuntime.h"
#include "common/CountedObject.h"
#include "common/TestEnv.h"
#include "support/KestMessageBox.h"
#include "support/SysCOMSupport.h"
#include "support/SysTime.h"

namespace {

namespace fs = std::filesystem;

TEST(SysTimeText, DateAndTimeShapes)
{
    EXPECT_TRUE(std::regex_match(SysTime::currentDate().str(), std::regex(R"((0[1-9]|1[0-2])/(0[1-9]|[12]\d|3[01])/\d{4})")))
        << SysTime::currentDate();
    EXPECT_TRUE(std::regex_match(SysTime::currentTime().str(), std::regex(R"(([01]\d|2[0-3]):[0-5]\d:[0-6]\d)")))
        << SysTime::currentTime();
}

using testenv::CountedObject;

// The running-object table holds a reference per entry and hands out another;
// the lookups by class identifier string and by any name of a file go through it.
TEST(RunningObjects, ByClassIdentifierStringAndByAnyNameOfAFile)
{
    CountedObject app;
    constexpr CLSID appClsid = makeGuid("{91493441-5A91-11CF-8700-00AA0060263B}");
    IUnknown* found = nullptr;
    EXPECT_EQ(GetActiveObject(appClsid, nullptr, &found), MK_E_UNAVAILABLE);
    EXPECT_EQ(found, nullptr);
    DWORD cookie = 0;
    ASSERT_EQ(RegisterActiveObject(&app, appClsid, 0, &cookie), S_OK);
    EXPECT_EQ(app.refs, 2u);
    {
        ComPtr<IUnknown> byText = SysCOMSupport::getRunningIUnknown("{91493441-5a91-11cf-8700-00aa0060263b}");
        EXPECT_EQ(byText.get(), &app);
        EXPECT_EQ(app.refs, 3u);
    }
    EXPECT_EQ(app.refs, 2u);
    for (const char* other : {"{00000000-0000-0000-0000-000000000001}", "PowerPoint.Application", ""})
        EXPECT_FALSE(SysCOMSupport::getRunningIUnknown(other)) << other;
    EXPECT_EQ(RevokeActiveObject(cookie, nullptr), S_OK);
    EXPECT_EQ(app.refs, 1u);
    EXPECT_EQ(RevokeActiveObject(cookie, nullptr), E_INVALIDARG);
    EXPECT_FALSE(SysCOMSupport::getRunningIUnknown("{91493441-5A91-11CF-8700-00AA0060263B}"));
    EXPECT_EQ(RegisterActiveObject(nullptr, appClsid, 0, &cookie), E_INVALIDARG);

    testenv::ScopedRegistry scoped;
    testenv::TempDir dir;
    fs::create_directories(dir / "Decks");
    testenv::writeFile(dir / "Decks" / "Report.pptx", "x");
    CountedObject document;
    std::string full = (dir / "Decks" / "Report.pptx").string();
    cookie = com::registerRunningFile(full, &document);
    ASSERT_NE(cookie, 0u);
    EXPECT_FALSE(com::isFileRunning((dir / "decks" / "report.pptx").string()));  // the table knows exact paths
    EXPECT_FALSE(com::isFileRunning((dir / "Decks").string()));
    EXPECT_EQ(RevokeActiveObject(cookie, nullptr), E_INVALIDARG);  // a file cookie is no active object's
    EXPECT_TRUE(SysCOMSupport::isFileRunning(KestString(full)));
    std::string windows = "C:" + (dir / "decks" / "REPORT.pptx").string();
    std::replace(windows.begin(), windows.end(), '/', '\\');
    EXPECT_TRUE(SysCOMSupport::isFileRunning(KestString(windows)));
    fs::path before = fs::current_path();
    fs::current_path(dir.path());
    EXPECT_TRUE(SysCOMSupport::isFileRunning("decks/report.pptx"));
    EXPECT_TRUE(SysCOMSupport::isFileRunning("./Decks/../Decks/Report.pptx"));
    EXPECT_FALSE(SysCOMSupport::isFileRunning("Decks/Other.pptx"));
    fs::current_path(before);
    EXPECT_FALSE(SysCOMSupport::isFileRunning(""));
    com::revokeRunningFile(cookie);
    EXPECT_FALSE(SysCOMSupport::isFileRunning(KestString(full)));
    EXPECT_EQ(document.refs, 1u);
    EXPECT_EQ(com::registerRunningFile("", &document), 0u);
    EXPECT_EQ(com::registerRunningFile("/x", nullptr), 0u);
}

// Without a host (orvel run), a message goes to standard error; with one (the
// in-memory and desktop hosts), to the host: ui/PageEditingTest, ui/WindowLayerTest.
TEST(MessageBox, WithoutAHostGoesToStandardError)
{
    ASSERT_EQ(messageBoxHost(), nullptr);
    testing::internal::CaptureStderr();
    EXPECT_EQ(KestMessageBox(nullptr, "File not found", "Orvel", 48), IDOK);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Orvel: File not found\n");
}

}  // namespace
