// Exit status 0 means the deck was written: no exception lost, no save elsewhere, no partial deck.
#include <gtest/gtest.h>

#include <regex>

#include "AllocationFault.h"
#include "ScriptRun.h"
#include "WordDocument.h"
#include "common/PackageReader.h"
#include "com/ComString.h"
#include "com/ErrorInfo.h"
#include "objects/Objects.h"

namespace {

namespace fs = std::filesystem;
using namespace hostile;
using namespace PowerPoint;

// Runs `calls` with the n-th allocation failing, for n = 1, 2 ... until a
// run meets no fault (failed writes: WriteFaultSweepTest). Every fault must
// come back as a COM error; `after` checks what the folder holds then.
template <class Calls, class After>
void underEveryAllocationFault(Calls&& calls, After&& after)
{
    for (long n = 1; n < 200000; ++n) {
        bool faulted = false;
        std::string escaped;
        {
            AllocationFault fault(n);
            try {
                calls();
            } catch (const ComError& e) {
                faulted = true;
                if (e.Description().empty() && e.Error() != E_OUTOFMEMORY) escaped = std::string("no reason: ") + e.what();
            } catch (const std::exception& e) {
                escaped = e.what();
            }
            faulted = faulted || AllocationFault::hit();
        }
        EXPECT_EQ(escaped, "") << "allocation fault " << n;
        after(n);
        if (!faulted || !escaped.empty()) return;
    }
}

// The PowerPoint stand-in's methods and the Word stand-in's, each with a fault
// at every allocation they make: a COM error (HRESULT and reason) comes back,
// never another exception; a save that fails leaves the old file and no
// temporary.
TEST(SilentLoss, StandInMethodsReportEveryFaultAsAComError)
{
    testenv::ScopedRegistry registry;
    testenv::TempDir dir;
    const fs::path deck = dir / "deck.pptx", picture = dir / "p.gif";
    testenv::writeFile(deck, "old deck");
    testenv::writeFile(picture, tinyGif());
    auto onlyOldOrWholeDeck = [&](long n) {
        EXPECT_EQ(hiddenFiles(dir.path()), std::vector<std::string>{}) << "fault " << n;
        const std::string bytes = testenv::readFile(deck);
        EXPECT_TRUE(bytes == "old deck" || !regtest::readParts(deck).empty()) << "fault " << n;
    };

    // Arguments are made before the faults: only the stand-in's own allocations fail.
    const std::u16string pictureName = com::utf8ToUtf16(picture.string()), deckName = com::utf8ToUtf16(deck.string());
    const std::u16string text = u"Hello\rworld";
    ComPtr<_Application> app = ppt::makeApplication();
    ComPtr<_Presentation> building;
    auto build = [&] {
        building = app->GetPresentations()->Add(msoFalse);
        ComPtr<Shapes> shapes = building->GetSlides()->Add(1, ppLayoutBlank)->GetShapes();
        ComPtr<TextRange> range = shapes->AddLabel(msoTextOrientationHorizontal, 10, 10, 500, 100)->GetTextFrame()->GetTextRange();
        range->InsertAfter(text)->GetFont()->PutBold(msoTrue);
        range->GetParagraphFormat()->GetBullet()->PutVisible(msoTrue);
        shapes->AddPicture(pictureName, msoFalse, msoTrue, 10, 200, 50, 50);
        building->Close();
    };
    underEveryAllocationFault(build, [](long) {});

    ComPtr<_Presentation> saved = app->GetPresentations()->Add(msoFalse);
    ComPtr<Shapes> shapes = saved->GetSlides()->Add(1, ppLayoutBlank)->GetShapes();
    shapes->AddLabel(msoTextOrientationHorizontal, 10, 10, 500, 100)->GetTextFrame()->GetTextRange()->InsertAfter(text);
    shapes->AddPicture(pictureName, msoFalse, msoTrue, 10, 200, 50, 50);
    auto save = [&] { saved->SaveAs(deckName, ppSaveAsOpenXMLPresentation, msoFalse); };
    underEveryAllocationFault(save, onlyOldOrWholeDeck);
    EXPECT_NE(testenv::readFile(deck), "old deck");  // the run without a fault wrote it
    saved->Close();
    app->Quit();

    const fs::path table = dir / "table.docx";
    const com::BStr tableName(table.string()), cell("cell");
    auto word = [&] {
        auto check = [](HRESULT hr) {
            if (FAILED(hr)) com::throwComError(hr, com::takeErrorInfo());
        };
        ComPtr<IDocument> d;
        check(word::WordDocument::createInstance(nullptr, IDocument::iid, d.putVoid()));
        check(d->start());
        check(d->create(tableName.get()));
        check(d->startTable());
        check(d->addRow());
        check(d->addCell());
        check(d->insertText(cell.get()));
        check(d->endTable());
        check(d->close());
    };
    underEveryAllocationFault(word, [&](long n) {
        EXPECT_EQ(hiddenFiles(dir.path()), std::vector<std::string>{}) << "Word, fault " << n;
    });
    EXPECT_FALSE(regtest::readParts(table).empty());
}

using clitest::smallDeck;

class SilentLossRun : public ::testing::Test, public ScriptRun {};

// A template whose master has no theme it can use is refused when applied,
// with the reason on the line after the component's message and in the
// trace log; the old deck stays.
TEST_F(SilentLossRun, TemplateWithoutAUsableThemeIsRefusedWithItsReason)
{
    ASSERT_EQ(run(smallDeck).status, 0);
    const std::string rels = "ppt/slideMasters/_rels/slideMaster1.xml.rels";
    const std::string masterRels = regtest::readParts(dir / "deck.pptx", {rels.c_str()})[rels];
    const std::regex theme("<Relationship [^>]*relationships/theme\"[^>]*/>");
    ASSERT_TRUE(std::regex_search(masterRels, theme)) << masterRels;
    const std::string outside = "<Relationship Id=\"rIdT\" Target=\"../../../x.xml\" "
                                "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/theme\"/>";
    testenv::writeFile(dir / "old.pptx", testenv::readFile(dir / "deck.pptx"));
    for (const std::string& replacement : {std::string(), outside}) {
        auto parts = pptx::readZip(dir / "old.pptx");
        parts[rels] = std::regex_replace(masterRels, theme, replacement);
        pptx::writeZip(dir / "corp.potx", parts);
        auto r = run(smallDeck, "--trace trace.log --set PowerPoint/PptTemplateName=" + (dir / "corp.potx").string());
        EXPECT_EQ(r.status, 1) << r.err;
        EXPECT_TRUE(contains(r.err, "script.orvel:2: Applying template\nCOMERROR 0x")) << r.err;
        EXPECT_TRUE(std::regex_search(r.err, std::regex("\nCOMERROR 0x[0-9a-f]+\n[^\n]+\n[^\n]*corp.potx[^\n]*theme"))) << r.err;
        EXPECT_TRUE(std::regex_search(testenv::readFile(dir / "trace.log"), std::regex("ERR [^\n]*corp.potx[^\n]*theme")));
        EXPECT_EQ(testenv::readFile(dir / "deck.pptx"), testenv::readFile(dir / "old.pptx"));
    }
}

// A damaged header picture is named when the slide that shows it is made.
TEST_F(SilentLossRun, ReasonsNameTheFileAndTheCall)
{
    testenv::writeFile(dir / "bad.gif", "GIF89a but nothing more");
    auto header = run(
        "orvel->start();\norvel->create(\"deck.pptx\");\norvel->startHeader();\n"
        "orvel->insertImage(\"bad.gif\",\"\");\norvel->endHeader();\norvel->insertText(\"x\");\norvel->insertPageBreak();\n"
        "orvel->close();\norvel->stop();\n");
    EXPECT_EQ(header.status, 1);
    EXPECT_TRUE(std::regex_search(header.err, std::regex("script.orvel:7: pageBreak\nCOMERROR [^\n]+\n[^\n]+\n[^\n]*bad.gif[^\n]*damaged")))
        << header.err;
}

// A presentation saved without a name (after a failed SaveAs, whose reason
// names the file, or the first of two creates without close) takes the first
// free PresentationN name and says so: the user's Presentation1.pptx stays.
TEST_F(SilentLossRun, UntitledSavesNeverReplaceAFile)
{
    testenv::writeFile(documents() / "Presentation1.pptx", "the user's own");
    auto failed = run("orvel->start();\norvel->create(\"missing/deck.pptx\");\norvel->insertText(\"lost?\");\n"
                      "orvel->close();\norvel->stop();\n");
    EXPECT_EQ(failed.status, 1);
    EXPECT_TRUE(std::regex_search(failed.err, std::regex("script.orvel:4: Saving powerpoint document\nCOMERROR [^\n]+\n"
                                                         "[^\n]+\n[^\n]*missing/deck.pptx")))
        << failed.err;
    auto twice = run("orvel->start();\norvel->create(\"a.pptx\");\norvel->insertText(\"first\");\n"
                     "orvel->create(\"b.pptx\");\norvel->insertText(\"second\");\norvel->close();\norvel->stop();\n");
    EXPECT_EQ(twice.status, 0) << twice.err;
    EXPECT_EQ(testenv::readFile(documents() / "Presentation1.pptx"), "the user's own");
    for (auto [r, n, text] : {std::tuple{&failed, "2", "lost?"}, std::tuple{&twice, "3", "first"}}) {
        const fs::path saved = documents() / (std::string("Presentation") + n + ".pptx");
        EXPECT_TRUE(contains(r->err, saved.string())) << r->err;
        EXPECT_TRUE(contains(slideText(saved), text));
    }
    EXPECT_TRUE(contains(slideText(dir / "b.pptx"), "second"));
}

}  // namespace
