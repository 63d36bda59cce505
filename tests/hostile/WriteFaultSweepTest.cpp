// A save whose k-th file operation fails, for every k and in both formats:
// one COM error naming the file reaches the caller, the deck that was there
// stays byte for byte, nothing is left beside it (and, under the sanitizers,
// nothing leaks). A save killed there leaves the old deck or the whole new
// one, and after the next save nothing beside it.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <iostream>

#include "ScriptRun.h"
#include "com/ComString.h"
#include "common/PackageCheck.h"
#include "objects/Objects.h"
#include "office/package/AtomicFile.h"

namespace {

namespace fs = std::filesystem;
using namespace hostile;
using namespace PowerPoint;

std::vector<std::string> folderEntries(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct SavedFormat {
    const char* extension;
    PpSaveAsFileType fileFormat;
    long minFaultPoints;  // the .pptx streams part by part; the .ppt is made in memory and written at once
};

void PrintTo(const SavedFormat& format, std::ostream* out) { *out << format.extension; }

testenv::CommandResult validate(const SavedFormat& format, const fs::path& deck)
{
    return std::string(format.extension) == ".ppt" ? testenv::validatePpt(deck) : testenv::validatePackage(deck);
}

class WriteFaultSweep : public ::testing::TestWithParam<SavedFormat> {};

TEST_P(WriteFaultSweep, EveryFailedOrKilledWriteLeavesTheOldDeck)
{
    const SavedFormat format = GetParam();
    testenv::ScopedRegistry registry;
    testenv::TempDir dir;
    const fs::path deck = dir / (std::string("deck") + format.extension), picture = dir / "p.gif";
    testenv::writeFile(picture, tinyGif());
    ComPtr<_Application> app = ppt::makeApplication();
    ComPtr<_Presentation> presentation = app->GetPresentations()->Add(msoFalse);
    for (int n = 1; n <= 4; ++n) {
        ComPtr<Shapes> shapes = presentation->GetSlides()->Add(n, ppLayoutBlank)->GetShapes();
        ComPtr<TextRange> range =
            shapes->AddLabel(msoTextOrientationHorizontal, 10, 10, 500, 100)->GetTextFrame()->GetTextRange();
        range->InsertAfter(u"Slide " + com::utf8ToUtf16(std::to_string(n)) + u"\rsecond line");
        range->InsertAfter(u" link")->GetActionSettings()->Item(ppMouseClick)->GetHyperlink()->PutAddress(u"https://example.com/");
        shapes->AddPicture(com::utf8ToUtf16(picture.string()), msoFalse, msoTrue, 10, 200, 50, 50);
    }
    const std::u16string deckName = com::utf8ToUtf16(deck.string());
    presentation->SaveAs(deckName, format.fileFormat, msoFalse);
    std::string previous = testenv::readFile(deck);
    const std::vector<std::string> entries = folderEntries(dir.path());

    long faultPoints = 0;
    for (long k = 1;; ++k) {
        int errors = 0;
        std::string description;
        HRESULT hr = S_OK;
        office::injectFileFault(k);
        try {
            presentation->SaveAs(deckName, format.fileFormat, msoFalse);
        } catch (const ComError& e) {
            ++errors;
            hr = e.Error();
            description = e.Description();
        } catch (...) {
            ADD_FAILURE() << "not a COM error at write " << k;
        }
        office::injectFileFault(0);
        if (errors == 0) break;  // every operation of the save was tried
        ++faultPoints;
        EXPECT_TRUE(FAILED(hr)) << k;
        EXPECT_NE(description.find(deck.string()), std::string::npos) << "write " << k << ": " << description;
        EXPECT_EQ(testenv::readFile(deck), previous) << "write " << k;
        EXPECT_EQ(folderEntries(dir.path()), entries) << "write " << k;

        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            office::injectFileFault(k, office::FileFault::Kill);
            try {
                presentation->SaveAs(deckName, format.fileFormat, msoFalse);
            } catch (...) {
            }
            ::_exit(0);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(testenv::readFile(deck) == previous || validate(format, deck).status == 0) << "killed at " << k;
        presentation->SaveAs(deckName, format.fileFormat, msoFalse);
        EXPECT_EQ(folderEntries(dir.path()), entries) << "killed at " << k;
        previous = testenv::readFile(deck);
    }
    EXPECT_GT(faultPoints, format.minFaultPoints);
    std::cout << "[ fault points ] " << faultPoints << "\n";
    const testenv::CommandResult check = validate(format, deck);  // the unfaulted save wrote a whole deck
    EXPECT_EQ(check.status, 0) << check.output;
    presentation->Close();
    app->Quit();
}

INSTANTIATE_TEST_SUITE_P(Formats, WriteFaultSweep,
                         ::testing::Values(SavedFormat{".pptx", ppSaveAsOpenXMLPresentation, 50},
                                           SavedFormat{".ppt", ppSaveAsPresentation, 3}),
                         [](const auto& info) { return std::string(info.param.extension + 1); });

}  // namespace
