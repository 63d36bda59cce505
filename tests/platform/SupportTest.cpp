// Time, running objects, the message box and the fault guard.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "com/ComRuntime.h"
#include "common/CountedObject.h"
#include "common/TestEnv.h"
#include "support/CSignal2Exception.h"
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

TEST(SysCOMSupportLookup, RunningObjectByClassIdentifierString)
{
    CountedObject app;
    DWORD cookie = 0;
    ASSERT_EQ(RegisterActiveObject(&app, makeGuid("{91493441-5A91-11CF-8700-00AA0060263B}"), 0, &cookie), S_OK);
    {
        ComPtr<IUnknown> found = SysCOMSupport::getRunningIUnknown("{91493441-5a91-11cf-8700-00aa0060263b}");
        EXPECT_EQ(found.get(), &app);
        EXPECT_EQ(app.refs, 3u);
    }
    EXPECT_EQ(app.refs, 2u);
    EXPECT_FALSE(SysCOMSupport::getRunningIUnknown("{00000000-0000-0000-0000-000000000001}"));
    EXPECT_FALSE(SysCOMSupport::getRunningIUnknown("PowerPoint.Application"));
    EXPECT_FALSE(SysCOMSupport::getRunningIUnknown(""));
    RevokeActiveObject(cookie, nullptr);
    EXPECT_FALSE(SysCOMSupport::getRunningIUnknown("{91493441-5A91-11CF-8700-00AA0060263B}"));
}

TEST(SysCOMSupportLookup, RunningFileByAnyNameOfIt)
{
    testenv::ScopedRegistry scoped;
    testenv::TempDir dir;
    fs::create_directories(dir / "Decks");
    testenv::writeFile(dir / "Decks" / "Report.pptx", "x");
    CountedObject document;
    std::string full = (dir / "Decks" / "Report.pptx").string();
    DWORD cookie = com::registerRunningFile(full, &document);
    EXPECT_TRUE(SysCOMSupport::isFileRunning(KestString(full)));
    std::string windows = "C:" + (dir / "decks" / "REPORT.pptx").string();
    for (char& c : windows)
        if (c == '/') c = '\\';
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
}

class RecordingHost final : public MessageBoxHost {
public:
    int show(WindowHandle owner, const KestString& text, const KestString& caption, unsigned style) override
    {
        shown.push_back({owner, text, caption, style});
        return 7;
    }
    struct Shown {
        WindowHandle owner;
        KestString text, caption;
        unsigned style;
    };
    std::vector<Shown> shown;
};

TEST(MessageBox, GoesToTheHostOrStandardError)
{
    RecordingHost host;
    setMessageBoxHost(&host);
    EXPECT_EQ(messageBoxHost(), &host);
    int owner = 0;
    EXPECT_EQ(KestMessageBox(&owner, "File not found", "Orvel", MB_OK | MB_ICONEXCLAMATION), 7);
    ASSERT_EQ(host.shown.size(), 1u);
    EXPECT_EQ(host.shown[0].owner, &owner);
    EXPECT_EQ(host.shown[0].text, KestString("File not found"));
    EXPECT_EQ(host.shown[0].style, 48u);
    setMessageBoxHost(nullptr);

    testing::internal::CaptureStderr();
    EXPECT_EQ(KestMessageBox(nullptr, "File not found", "Orvel", 48), IDOK);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Orvel: File not found\n");
}

TEST(FaultGuard, CountsNestedSequences)
{
    EXPECT_EQ(CSignal2Exception::depth(), 0);
    {
        CSignal2Exception outer;
        EXPECT_EQ(CSignal2Exception::depth(), 1);
        try {
            CSignal2Exception inner;
            EXPECT_EQ(CSignal2Exception::depth(), 2);
            throw std::runtime_error("leaves the sequence");
        } catch (const std::runtime_error&) {
        }
        EXPECT_EQ(CSignal2Exception::depth(), 1);
    }
    EXPECT_EQ(CSignal2Exception::depth(), 0);
}

}  // namespace
