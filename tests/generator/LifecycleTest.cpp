// start, create, close, stop, showLast and destruction: what reaches
// PowerPoint, what the log shows, and how failures are raised.
#include <gtest/gtest.h>

#include "GeneratorFixture.h"
#include "com/ComError.h"
#include "com/ComRuntime.h"
#include "registry/RegisterDynamic.h"

using namespace gentest;

namespace {

std::string systemText(HRESULT hr)
{
    return ComError(hr).ErrorMessage();
}

using Lifecycle = GeneratorTest;

TEST_F(Lifecycle, StartAttachesToTheRunningPowerPointOnce)
{
    EXPECT_EQ(doc->start(), S_OK);
    EXPECT_EQ(doc->start(), S_OK);
    EXPECT_EQ(ppt.count("Application.Presentations"), 1);
    EXPECT_EQ(logLines(), std::vector<std::string>{"orvel->start();"});
}

TEST_F(Lifecycle, StartWithoutPowerPointAsksForItsInstallation)
{
    powerpoint.revoke();  // nothing running, nothing registered
    EXPECT_EQ(failureOf([&] { doc->start(); }), "Cannot open PowerPoint\nPlease install PowerPoint.\n");
    // Not started: the next start tries (and echoes) again.
    EXPECT_NE(failureOf([&] { doc->start(); }), "");
    EXPECT_EQ(logLines(), (std::vector<std::string>{"orvel->start();", "orvel->start();"}));
}

TEST_F(Lifecycle, CreateLowerCasesTheNameAndAddsTheExtension)
{
    doc->start();
    doc->create(bs("C:\\Out\\Report").get());
    doc->close();
    EXPECT_EQ(logLines()[1], "orvel->create(\"c:\\out\\report\");");
    EXPECT_EQ(deck()->savedAs, "c:\\out\\report.ppt");
    EXPECT_EQ(ppt.callsOf("Presentation.SaveAs"),
              std::vector<std::string>{"Presentation.SaveAs(\"c:\\out\\report.ppt\",1,-1)"});

    doc->create(bs("Deck.PPT").get());
    doc->close();
    EXPECT_EQ(deck()->savedAs, "deck.ppt");
    doc->create(bs("name.").get());
    doc->close();
    EXPECT_EQ(deck()->savedAs, "name.");
    doc->create(nullptr);  // a null name is the empty name
    doc->close();
    EXPECT_EQ(deck()->savedAs, ".ppt");
}

TEST_F(Lifecycle, CreateClosesTheSameFileOpenInPowerPointUnsaved)
{
    doc->start();
    doc->create(bs(deckPath("first")).get());
    doc->close();
    // PowerPoint has the saved file open again, and reports it running.
    ComPtr<IUnknown> any = fakeppt::makeApplication(powerpoint.shared());
    ppt.calls.clear();
    ComPtr<PowerPoint::_Application> app = fakeppt::makeApplication(powerpoint.shared());
    app->GetPresentations()->Open(com::utf8ToUtf16(deckPath("other.ppt")), PowerPoint::msoFalse,
                                  PowerPoint::msoFalse, PowerPoint::msoTrue);
    app->GetPresentations()->Open(com::utf8ToUtf16(deckPath("FIRST.ppt")), PowerPoint::msoFalse,
                                  PowerPoint::msoFalse, PowerPoint::msoTrue);
    DWORD cookie = com::registerRunningFile(deckPath("first.ppt"), any.get());
    ppt.calls.clear();
    doc->create(bs(deckPath("first")).get());
    com::revokeRunningFile(cookie);
    EXPECT_TRUE(ppt.inOrder({"Presentations.Item(1)", "Presentation.FullName", "Presentations.Item(2)",
                             "Presentation.FullName", "Presentation.Close", "Presentations.Add(-1)"}));
    EXPECT_EQ(ppt.count("Presentations.Item"), 2);
    EXPECT_EQ(ppt.count("Presentation.Save"), 0);
    ASSERT_EQ(ppt.open.size(), 2u);
    EXPECT_EQ(ppt.open[0]->fullName, deckPath("other.ppt"));
}

TEST_F(Lifecycle, CreateThenCloseMakesOneSavedSlide)
{
    open();
    doc->close();
    ASSERT_TRUE(deck());
    EXPECT_EQ(deck()->slides.size(), 1u);
    EXPECT_EQ(deck()->savedAs, deckPath("deck.ppt"));
    EXPECT_EQ(deck()->saveFormat, 1);
    EXPECT_EQ(deck()->embedFonts, -1);
    EXPECT_TRUE(deck()->closed);
    EXPECT_TRUE(ppt.inOrder({"Presentation.SaveAs(\"" + deckPath("deck.ppt") + "\",1,-1)", "Presentation.Close"}));
    // The master's slide number is hidden when the footer takes it over.
    EXPECT_EQ(deck()->masterHeadersFooters.slideNumber.visible, 0);
    EXPECT_EQ(logLines(), (std::vector<std::string>{"orvel->start();", "orvel->create(\"" + deckPath() + "\");",
                                                    "orvel->close();"}));
    // A second close: nothing.
    doc->close();
    EXPECT_EQ(ppt.count("Presentation.SaveAs"), 1);
    EXPECT_EQ(logLines().size(), 3u);
}

TEST_F(Lifecycle, CloseAfterAFailingSaveKeepsTheDocumentOpen)
{
    open();
    text("kept");
    ppt.fail("Presentation.SaveAs", E_ACCESSDENIED);
    EXPECT_EQ(failureOf([&] { doc->close(); }),
              "Saving powerpoint document\nCOMERROR 0x80070005\n" + systemText(E_ACCESSDENIED));
    EXPECT_FALSE(deck()->closed);
    // Still open: content is accepted and the next close saves.
    text(" more");
    doc->close();
    EXPECT_EQ(deck()->savedAs, deckPath("deck.ppt"));
    EXPECT_EQ(ppt.count("Presentation.SaveAs"), 2);
}

TEST_F(Lifecycle, ACloseWhoseLastSlideCannotBeFinishedPassesTheComErrorOn)
{
    open();
    doc->startFooter();
    text("footer");
    doc->endFooter();
    ppt.fail("HeadersFooters.Footer", E_FAIL);
    EXPECT_THROW(doc->close(), ComError);
    EXPECT_EQ(ppt.count("Presentation.SaveAs"), 0);
}

// Each deck of one object starts at slide 1; a deck's last slide is finished
// once, under its own number, and the composers follow the new deck.
TEST_F(Lifecycle, SecondDocumentStartsAgainAtSlideOne)
{
    auto header = [](const std::shared_ptr<fakeppt::PresentationModel>& deck, std::size_t n) {
        std::string text;
        for (const auto& label : deck->slides.at(n - 1)->labels())
            if (label->top == 10.0f) text += label->frame->utf8();
        return text;
    };
    open("one");
    doc->startHeader();
    text("P<PAGE>");
    doc->endHeader();
    text("a");
    doc->insertPageBreak();
    text("b");
    doc->close();
    doc->create(bs(deckPath("two")).get());
    text("c");
    doc->insertPageBreak();
    text("d");
    doc->create(bs(deckPath("three")).get());  // no close for two
    text("e");
    doc->close();
    ASSERT_EQ(ppt.everMade.size(), 3u);
    const auto& one = ppt.everMade[0];
    const auto& two = ppt.everMade[1];
    const auto& three = ppt.everMade[2];
    EXPECT_EQ(header(one, 2), "P2");
    EXPECT_EQ(header(two, 1), "P1");
    EXPECT_EQ(header(two, 2), "P2");
    EXPECT_EQ(header(three, 1), "P1");
    ASSERT_EQ(three->slides.size(), 1u);
    EXPECT_EQ(ppt.callsOf("Slides.Add").back(), "Slides.Add(1,12)");
    EXPECT_EQ(three->savedAs, deckPath("three.ppt"));
}

TEST_F(Lifecycle, MissingTemplateFailsCreateAndCloseThenDoesNothing)
{
    doc->overrideRegistry(bs("PowerPoint").get(), bs("PptTemplateName").get(), bs("/no/such/design.pot").get(), 1);
    doc->start();
    EXPECT_EQ(failureOf([&] { doc->create(bs(deckPath()).get()); }),
              "Powerpoint template does not exist.\n/no/such/design.pot");
    EXPECT_EQ(ppt.count("Presentations.Add"), 1);  // the added presentation stays, empty
    EXPECT_TRUE(deck()->slides.empty());
    doc->close();
    text("ignored");
    EXPECT_EQ(ppt.count("Presentation.SaveAs"), 0);
    EXPECT_EQ(logLines().back(), "orvel->create(\"" + deckPath() + "\");");
}

TEST_F(Lifecycle, TemplateSettingAndItsOverride)
{
    std::filesystem::create_directories(dir / "Templates");
    testenv::writeFile(dir / "Templates" / "design.pot", "");
    RegisterDynamic settings;
    settings.write(KestString("Settings"), KestString("InstallDir"), RegEntry(KestString(dir.path().string())), false);
    settings.write(KestString("PowerPoint"), KestString("PptTemplateName"), RegEntry(KestString("design.pot")), false);

    // A bare name is looked up in the install directory's Templates folder.
    open("a");
    doc->close();
    EXPECT_EQ(deck()->appliedTemplate, dir.path().string() + "/Templates\\design.pot");

    // An empty override on one object: no template for it, the registry keeps its value.
    ComPtr<IDocument> other = newObject();
    other->overrideRegistry(bs("PowerPoint").get(), bs("PptTemplateName").get(), bs("").get(), 1);
    other->start();
    other->create(bs(deckPath("b")).get());
    other->close();
    EXPECT_EQ(deck()->appliedTemplate, "");
    EXPECT_EQ(settings.read(KestString("PowerPoint"), KestString("PptTemplateName"), RegEntry(KestString("")), false)
                  .value,
              KestString("design.pot"));

    // A third object still sees the registry value.
    ComPtr<IDocument> third = newObject();
    third->start();
    third->create(bs(deckPath("c")).get());
    third->close();
    EXPECT_EQ(deck()->appliedTemplate, dir.path().string() + "/Templates\\design.pot");
    other = nullptr;
    third = nullptr;
}

TEST_F(Lifecycle, AFullTemplatePathIsUsedAsItIs)
{
    testenv::writeFile(dir / "full.pot", "");
    doc->overrideRegistry(bs("PowerPoint").get(), bs("PptTemplateName").get(), bs((dir / "full.pot").string()).get(),
                          1);
    open();
    EXPECT_EQ(deck()->appliedTemplate, (dir / "full.pot").string());
}

TEST_F(Lifecycle, FailingTemplateIsReportedUnderItsLabel)
{
    testenv::writeFile(dir / "bad.pot", "");
    doc->overrideRegistry(bs("PowerPoint").get(), bs("PptTemplateName").get(), bs((dir / "bad.pot").string()).get(),
                          1);
    doc->start();
    ppt.fail("Presentation.ApplyTemplate", HR_BAD_FORMAT);
    EXPECT_EQ(failureOf([&] { doc->create(bs(deckPath()).get()); }),
              "Applying template\nCOMERROR 0x8007000b\n" + systemText(HR_BAD_FORMAT));
}

TEST_F(Lifecycle, CreateBeforeStartPassesEPointerOn)
{
    try {
        doc->create(bs(deckPath()).get());
        FAIL() << "no error";
    } catch (const ComError& e) {
        EXPECT_EQ(e.Error(), E_POINTER);
    }
}

TEST_F(Lifecycle, StopSavesAndClosesEveryPresentationLastFirstThenQuits)
{
    open();
    ComPtr<PowerPoint::_Application> app = fakeppt::makeApplication(powerpoint.shared());
    app->GetPresentations()->Add(PowerPoint::msoTrue);
    ppt.calls.clear();
    doc->stop();
    EXPECT_EQ(ppt.calls, (std::vector<std::string>{"Presentations.Count", "Presentations.Item(2)", "Presentation.Save",
                                                   "Presentation.Close", "Presentations.Item(1)", "Presentation.Save",
                                                   "Presentation.Close", "Application.Quit"}));
    EXPECT_EQ(logLines().back(), "orvel->stop();");
    // The document is still open for the generator, but PowerPoint has gone.
    EXPECT_EQ(failureOf([&] { text("late"); }), "insertText\nCOMERROR 0x800706ba\nPowerPoint is unavailable.");
    doc->stop();  // not started any more: nothing
    std::vector<std::string> lines = logLines();
    EXPECT_EQ(lines[lines.size() - 2], "orvel->insertText(\"late\");");
    EXPECT_EQ(lines.back(), "ERR insertText: PowerPoint has quit");  // the object's own words
}

TEST_F(Lifecycle, DestructionWithAHiddenPowerPointClosesAndStops)
{
    open();
    text("body");
    doc = nullptr;
    EXPECT_EQ(logLines(), (std::vector<std::string>{"orvel->start();", "orvel->create(\"" + deckPath() + "\");",
                                                    "orvel->insertText(\"body\");", "orvel->close();",
                                                    "orvel->stop();"}));
    EXPECT_EQ(deck()->savedAs, deckPath("deck.ppt"));
    EXPECT_TRUE(ppt.quit);
}

TEST_F(Lifecycle, DestructionWithAVisiblePowerPointLeavesItRunning)
{
    open();
    doc->close();
    doc->showLast();
    std::size_t lines = logLines().size();
    doc = nullptr;
    EXPECT_EQ(logLines().size(), lines);
    EXPECT_FALSE(ppt.quit);
    EXPECT_EQ(ppt.open.size(), 1u);  // the reopened presentation
    powerpoint.revoke();
    EXPECT_EQ(ppt.liveObjects, 0);  // and every reference released
}

TEST_F(Lifecycle, DestructionOnlyLogsFailures)
{
    open();
    ppt.fail("Presentation.SaveAs", E_ACCESSDENIED);
    doc = nullptr;  // must not throw
    std::vector<std::string> lines = logLines();
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[lines.size() - 6], "orvel->close();");
    EXPECT_EQ(lines[lines.size() - 5], "ERR Saving powerpoint document: failure scheduled by the test");
    EXPECT_EQ(lines[lines.size() - 4], "Saving powerpoint document");
    EXPECT_EQ(lines[lines.size() - 3], "COMERROR 0x80070005");
    EXPECT_EQ(lines[lines.size() - 2], systemText(E_ACCESSDENIED));
    EXPECT_EQ(lines.back(), "orvel->stop();");
    EXPECT_TRUE(ppt.quit);
}

TEST_F(Lifecycle, ShowLastBeforeCreateStartsAndFailsToOpenTheEmptyName)
{
    std::string reason = failureOf([&] { doc->showLast(); });
    EXPECT_EQ(reason.rfind("Opening last generated presentation\nCOMERROR 0x80070002\n", 0), 0u) << reason;
    EXPECT_EQ(logLines(), (std::vector<std::string>{"orvel->start();", "ERR Opening last generated presentation: no file name"}));
    EXPECT_EQ(ppt.callsOf("Presentations.Open"), std::vector<std::string>{"Presentations.Open(\"\",0,0,-1)"});
}

TEST_F(Lifecycle, ShowLastReopensTheSavedFileVisibly)
{
    open();
    doc->close();
    ppt.calls.clear();
    doc->showLast();
    EXPECT_EQ(ppt.calls, (std::vector<std::string>{"Application.Visible=-1",
                                                   "Presentations.Open(\"" + deckPath("deck.ppt") + "\",0,0,-1)",
                                                   "Application.Visible=-1"}));
}

TEST_F(Lifecycle, EveryReferenceIsReleasedWithTheObject)
{
    open();
    text("x");
    doc->close();
    doc->stop();
    doc = nullptr;
    powerpoint.revoke();
    EXPECT_EQ(ppt.liveObjects, 0);
}

}  // namespace
