// start, create, close, stop, showLast and destruction: the files they leave,
// what stays open in PowerPoint, what the log shows, and how failures are
// raised (calls before start: scripts/).
#include <gtest/gtest.h>

#include "GeneratorFixture.h"
#include "common/PackageCheck.h"
#include "com/ComRuntime.h"
#include "registry/RegisterDynamic.h"

using namespace gentest;
namespace fs = std::filesystem;

namespace {

class Lifecycle : public GeneratorTest {
protected:
    int openPresentations() const { return powerpoint->GetPresentations()->GetCount(); }
    bool powerPointGone() const
    {
        try {
            powerpoint->GetPresentations();
        } catch (const ComError& e) {
            return e.Error() == RPC_E_SERVER_UNAVAILABLE;
        }
        return false;
    }
    // A deck whose save fails: a folder stands where it is to be written.
    void blockSave(const std::string& name) { fs::create_directories(deckPath(name)); }
    void useTemplate(const std::string& name) const
    {
        doc->overrideRegistry(bs("PowerPoint").get(), bs("PptTemplateName").get(), bs(name).get(), 1);
    }
    // A deck written by the stand-in, its theme named after the file, to serve as a template.
    void writeTemplate(const fs::path& file)
    {
        auto presentation = powerpoint->GetPresentations()->Add(PowerPoint::msoFalse);
        presentation->GetSlides()->Add(1, PowerPoint::ppLayoutBlank);
        presentation->SaveAs(com::utf8ToUtf16(file.string()), PowerPoint::ppSaveAsPresentation, PowerPoint::msoTrue);
        presentation->Close();
        auto parts = pptx::readZip(file);
        std::string& theme = parts.at("ppt/theme/theme1.xml");
        std::size_t at = theme.find(" name=\"") + 7;
        theme.replace(at, theme.find('"', at) - at, file.stem().string());
        pptx::writeZip(file, parts);
    }
};

TEST_F(Lifecycle, StartWithoutPowerPointAsksForItsInstallation)
{
    powerpoint->Quit();  // nothing running, nothing registered
    EXPECT_EQ(failureOf([&] { doc->start(); }), "Cannot open PowerPoint\nPlease install PowerPoint.\n");
    // Not started: the next start tries (and echoes) again.
    EXPECT_NE(failureOf([&] { doc->start(); }), "");
    EXPECT_EQ(logLines(), (std::vector<std::string>{"orvel->start();", "orvel->start();"}));
}

TEST_F(Lifecycle, CreateLowerCasesTheNameAndAddsTheExtension)
{
    doc->start();
    for (const char* name : {"Report", "Deck.PPT", "name."}) {
        doc->create(bs(name).get());
        doc->close();
    }
    EXPECT_EQ(logLines()[1], "orvel->create(\"report\");");
    for (const char* file : {"report.ppt", "deck.ppt", "name."}) {
        EXPECT_TRUE(fs::exists(dir / file)) << file;
        const testenv::CommandResult check = testenv::validatePpt(dir / file);  // FileFormat 1 where no extension says
        EXPECT_EQ(check.status, 0) << file << "\n" << check.output;
    }
    EXPECT_EQ(openPresentations(), 0);  // each closed after its save
    // A null name is the empty name, and ".ppt" is no name PowerPoint saves under.
    doc->create(nullptr);
    EXPECT_EQ(logLines().back(), "orvel->create(\"\");");
    EXPECT_EQ(failureOf([&] { doc->close(); }).rfind("Saving powerpoint document\nCOMERROR 0x80070057\n", 0), 0u);
}

TEST_F(Lifecycle, CreateClosesTheSameFileOpenInPowerPointUnsaved)
{
    open("first");
    text("saved");
    doc->close();
    // PowerPoint has the saved file open again, and reports it running.
    auto presentations = powerpoint->GetPresentations();
    testenv::writeFile(deckPath("other"), testenv::readFile(deckPath("first")));
    presentations->Open(com::utf8ToUtf16(deckPath("other")), PowerPoint::msoFalse, PowerPoint::msoFalse,
                        PowerPoint::msoTrue);
    presentations->Open(com::utf8ToUtf16(deckPath("FIRST")), PowerPoint::msoFalse, PowerPoint::msoFalse,
                        PowerPoint::msoTrue);
    DWORD cookie = com::registerRunningFile(deckPath("first"), powerpoint.get());
    doc->create(bs(deckPath("first")).get());
    com::revokeRunningFile(cookie);
    ASSERT_EQ(openPresentations(), 2);  // the other one, and the new deck
    EXPECT_EQ(com::utf16ToUtf8(presentations->Item(1)->GetFullName()), deckPath("other"));
    text("new");
    EXPECT_NE(savedDump("first").find("\"new\""), std::string::npos);
}

TEST_F(Lifecycle, AFailingSaveKeepsTheDocumentOpenForTheNextCloseAndDestructionOnlyLogsIt)
{
    blockSave("deck");
    open();
    text("kept");
    std::string reason = failureOf([&] { doc->close(); });
    EXPECT_EQ(reason.rfind("Saving powerpoint document\nCOMERROR 0x", 0), 0u) << reason;
    EXPECT_EQ(openPresentations(), 1);
    // Still open: content is accepted, and the next close tries again.
    text(" more");
    fs::remove(deckPath());
    EXPECT_NE(savedDump().find("\"kept more\""), std::string::npos);
    // Destruction tries again too, only logging the failure.
    blockSave("second");
    open("second");
    text("lost");
    EXPECT_NE(failureOf([&] { doc->close(); }), "");
    std::size_t before = logLines().size();
    doc = nullptr;
    std::vector<std::string> lines = logLines();
    ASSERT_GE(lines.size(), before + 4);
    EXPECT_EQ(lines[before], "orvel->close();");
    EXPECT_EQ(lines[before + 1].rfind("ERR Saving powerpoint document: ", 0), 0u) << lines[before + 1];
    EXPECT_EQ(lines[before + 2], "Saving powerpoint document");
    EXPECT_EQ(lines.back(), "orvel->stop();");
    EXPECT_TRUE(powerPointGone());
}

TEST_F(Lifecycle, StopSavesAndClosesEveryPresentationThenQuits)
{
    open();
    text("mine");
    auto other = powerpoint->GetPresentations()->Add(PowerPoint::msoTrue);
    other->GetSlides()->Add(1, PowerPoint::ppLayoutBlank);
    other->SaveAs(com::utf8ToUtf16(deckPath("other")), PowerPoint::ppSaveAsPresentation, PowerPoint::msoTrue);
    other->GetSlides()->Add(2, PowerPoint::ppLayoutBlank);  // an unsaved change
    other = nullptr;
    doc->stop();
    EXPECT_EQ(logLines().back(), "orvel->stop();");
    EXPECT_TRUE(powerPointGone());
    EXPECT_EQ(pptx::Package(deckPath("other")).slides.size(), 2u);
    EXPECT_FALSE(fs::exists(deckPath()));  // saved as PowerPoint saves an untitled deck
    // Calls after it fail as Slides.FailuresCarryTheLabelOfTheCall shows; stop again does nothing.
    const std::size_t lines = logLines().size();
    doc->stop();
    EXPECT_EQ(logLines().size(), lines);
}

TEST_F(Lifecycle, DestructionWithAHiddenPowerPointClosesAndStops)
{
    open();
    text("body");
    doc = nullptr;
    expectRecorded(withoutDir(joined(logLines())), "-log");
    EXPECT_TRUE(fs::exists(deckPath()));
    EXPECT_TRUE(powerPointGone());
}

TEST_F(Lifecycle, ShowLastReopensTheSavedFileVisiblyAndDestructionLeavesItRunning)
{
    open();
    doc->close();
    doc->showLast();
    EXPECT_TRUE(powerpoint->GetVisible());
    ASSERT_EQ(openPresentations(), 1);
    EXPECT_EQ(com::utf16ToUtf8(powerpoint->GetPresentations()->Item(1)->GetFullName()), deckPath());
    std::size_t lines = logLines().size();
    doc = nullptr;
    EXPECT_EQ(logLines().size(), lines);
    EXPECT_FALSE(powerPointGone());
    EXPECT_EQ(openPresentations(), 1);
}

TEST_F(Lifecycle, MissingTemplateFailsCreateAndCloseThenDoesNothing)
{
    useTemplate("/no/such/design.pot");
    doc->start();
    EXPECT_EQ(failureOf([&] { doc->create(bs(deckPath()).get()); }),
              "Powerpoint template does not exist.\n/no/such/design.pot");
    EXPECT_EQ(openPresentations(), 1);  // the added presentation stays, empty
    EXPECT_EQ(slideCount(), 0);
    doc->close();
    text("ignored");
    EXPECT_FALSE(fs::exists(deckPath()));
    EXPECT_EQ(logLines().back(), "orvel->create(\"" + deckPath() + "\");");
}

// The template's own theme name shows which template a deck got.
TEST_F(Lifecycle, TemplateSettingItsOverrideAndAFullPath)
{
    fs::create_directories(dir / "Templates");
    writeTemplate(dir / "Templates" / "design.potx");
    writeTemplate(dir / "full.potx");
    RegisterDynamic settings;
    settings.write(KestString("Settings"), KestString("InstallDir"), RegEntry(KestString(dir.path().string())), false);
    settings.write(KestString("PowerPoint"), KestString("PptTemplateName"), RegEntry(KestString("design.potx")), false);
    auto themeOf = [&](ComPtr<IDocument>& object, const std::string& name) {
        object->start();
        object->create(bs(deckPath(name)).get());
        object->close();
        std::string theme = pptx::Package(deckPath(name)).read("ppt/theme/theme1.xml");
        std::size_t at = theme.find(" name=\"");
        return theme.substr(at + 7, theme.find('"', at + 7) - at - 7);
    };
    // A bare name is looked up in the install directory's Templates folder.
    doc = newObject();
    EXPECT_EQ(themeOf(doc, "a"), "design");
    // An empty override on one object: no template for it, the registry keeps its value.
    ComPtr<IDocument> other = newObject();
    other->overrideRegistry(bs("PowerPoint").get(), bs("PptTemplateName").get(), bs("").get(), 1);
    EXPECT_NE(themeOf(other, "b"), "design");
    EXPECT_EQ(settings.read(KestString("PowerPoint"), KestString("PptTemplateName"), RegEntry(KestString("")), false)
                  .value,
              KestString("design.potx"));
    // A full path is used as it is.
    ComPtr<IDocument> third = newObject();
    third->overrideRegistry(bs("PowerPoint").get(), bs("PptTemplateName").get(), bs((dir / "full.potx").string()).get(), 1);
    EXPECT_EQ(themeOf(third, "c"), "full");
}

}  // namespace
