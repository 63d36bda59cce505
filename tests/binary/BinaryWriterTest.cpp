// The .ppt writer read back by the structure validator, Apache POI and
// Presentations.Open.
#include <gmock/gmock.h>

#include "BinaryCheck.h"
#include "ObjectFiles.h"
#include "binary/CompoundFile.h"
#include "binary/PowerPointWriter.h"
#include "common/PackageCheck.h"
#include "common/PackageReader.h"
#include "objects/Objects.h"

namespace {

using namespace PowerPoint;
using ::testing::HasSubstr;

class BinaryWriterTest : public ppttest::PptTest {
protected:
    // SaveAs under a .ppt name, checked by the validator.
    std::filesystem::path write(const std::string& name)
    {
        const auto path = save(name);
        binarytest::expectValidPpt(path);
        return path;
    }
};

TEST_F(BinaryWriterTest, SampleDeckReadsBackAsAsked)
{
    binarytest::fillSampleDeck(presentation, dir.path());
    const auto file = write("sample.ppt");
    const std::string poi = binarytest::readWithPoi(file);
    for (const char* line : {
             "size 720x540\npictures 5\nmaster background=java.awt.Color[r=255,g=255,b=255]\n",  // GIF stored as PNG, the PNG placed twice stored once, the object's preview
             "placeholder=DATETIME", "placeholder=FOOTER", "placeholder=SLIDE_NUMBER",
             "slide 1\n footer visible=true text=Confidential number=true date=true",
             "para align=CENTER bullet=false level=0\n    run \"Quarterly report\" font=Arial size=32.0 b=true",
             "HSLFTextBox anchor=60,120,600,300\n  wrap=true fit=0",
             "run \"italic serif\" font=Liberation Serif size=20.0 b=false i=true u=false",
             "run \"underlined\" font=Arial size=20.0 b=false i=false u=true",
             "para align=RIGHT bullet=false level=0\n    run \"Flush right\"",
             "para align=LEFT bullet=true level=1\n    run \"A bullet with a \"",
             "run \"web link\" font=Arial size=20.0 b=false i=false u=false link=URL:https://www.example.com/q3",
             "link=EMAIL:mailto:board@example.com", "run \"a file\" font=Arial size=20.0 b=false i=false u=false link=FILE:C:\\docs\\plan.docx",
             "run \"slide two\" font=Arial size=20.0 b=false i=false u=false link=DOCUMENT:257,2,Slide 2",
             "wrap=false fit=2\n   para align=LEFT bullet=false level=0\n    run \"Sized to fit, one line\"",
             "placeholder=SLIDE_IMAGE", "placeholder=BODY\n   wrap=true fit=0\n    para align=LEFT bullet=false level=0\n     run \"Speaker notes for slide one\"",
             "slide 2\n footer visible=false text=null number=false date=true dateText=1/1/2030",
             "anchor=40,40,150,100 picture=PNG:469 link=URL:https://www.example.com/chart",
             "anchor=220,40,150,100 picture=JPEG", "anchor=400,40,150,100 picture=PNG", "anchor=40,180,150,100 picture=EMF",
             "anchor=220,180,150,100 picture=PNG:469", "HSLFObjectShape anchor=40,320,68,23 progId=Word.Document.12 embedded="})
        EXPECT_THAT(poi, HasSubstr(line));
    // The master's shapes are its three footer placeholders only.
    EXPECT_THAT(poi, HasSubstr("b=255]\n HSLFAutoShape anchor=36,501,168,29 placeholder=DATETIME"));
}

TEST_F(BinaryWriterTest, AnOpenedPptSavesAsTheDeckItWasWrittenFrom)
{
    binarytest::fillSampleDeck(presentation, dir.path());
    // The format places shapes to 1/8 pt: the object's preview size is not.
    ppt::ShapeModel& object = *ppt::presentationModel(presentation)->slides[1]->shapes.shapes[5];
    object.box.width = 68.25f;
    object.box.height = 23;
    // An object linked to its file comes back linked, naming it, with its preview.
    presentation->GetSlides()->Item(2)->GetShapes()->AddOLEObject(220, 320, 68, 23, u"", ppttest::u16((dir / "table.docx").string()),
                                                                  msoFalse, u"", 0, u"", msoTrue);
    const auto ppt = write("sample.ppt");
    const auto direct = save("direct.pptx");
    presentation->Close();
    auto reopened = app->GetPresentations()->Open(ppttest::u16(ppt.string()), msoFalse, msoFalse, msoTrue);
    const auto roundTrip = dir / "roundtrip.pptx";
    reopened->SaveAs(ppttest::u16(roundTrip.string()), ppSaveAsOpenXMLPresentation, msoTrue);
    ppttest::expectSoundPackage(roundTrip);

    EXPECT_EQ(pptx::dump(pptx::Package(roundTrip)), pptx::dump(pptx::Package(direct)));
    auto parts = pptx::readZip(roundTrip), expected = pptx::readZip(direct);
    for (auto* package : {&parts, &expected}) package->erase("docProps/core.xml");  // dates
    for (auto& [name, bytes] : expected) {
        // GIF is no picture type of the format: it comes back as PNG.
        if (name == "ppt/media/image3.gif") continue;
        for (const auto& [gif, png] : {std::pair<std::string, std::string>{"image3.gif", "image3.png"},
                                       {"<Default Extension=\"gif\" ContentType=\"image/gif\"/>", ""}})
            if (const auto at = bytes.find(gif); at != std::string::npos) bytes.replace(at, gif.size(), png);
        EXPECT_TRUE(parts[name] == bytes) << name << " differs";
    }
    EXPECT_EQ(parts.size(), expected.size());
}

TEST_F(BinaryWriterTest, EmbeddedPptAndDocKeepTheirFilesAndShowTheirContent)
{
    binarytest::fillSampleDeck(presentation, dir.path());
    const auto inner = write("inner.ppt");
    const auto doc = objtest::writeTestFile(dir.path(), "memo.doc", ppt::binary::buildCompoundFile({{"WordDocument", "Memo"}}));
    auto shapes = presentation->GetSlides()->Add(3, ppLayoutBlank)->GetShapes();
    for (const auto& file : {inner, doc})
        shapes->AddOLEObject(40, 40, 0, 0, u"", ppttest::u16(file.string()), msoFalse, u"", 0, u"", msoFalse);
    // The previews: the first slide's title, the document's name (EMF text is UTF-16).
    auto& model = *ppt::presentationModel(presentation);
    auto object = [&](int i) { return *model.slides[2]->shapes.shapes[i]->as<ppt::OleShape>(); };
    EXPECT_EQ(object(0).progId, u"PowerPoint.Show.8");
    EXPECT_EQ(object(1).progId, u"Word.Document.8");
    auto preview = [&](int i) { return model.media.item(object(i).preview).bytes; };
    auto utf16 = [](std::string_view text) {
        std::string out;
        for (char c : text) out += {c, '\0'};
        return out;
    };
    EXPECT_THAT(preview(0), HasSubstr(utf16("Quarterly report")));
    EXPECT_THAT(preview(1), HasSubstr(utf16("memo.doc")));

    // Saved as .ppt, each is the compound file it was, and opens as such.
    const auto outer = write("outer.ppt");
    presentation->Close();
    auto reopened = app->GetPresentations()->Open(ppttest::u16(outer.string()), msoFalse, msoFalse, msoTrue);
    const auto& opened = *ppt::presentationModel(reopened);
    ASSERT_EQ(opened.slides.at(2)->shapes.shapes.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        const auto& shown = *opened.slides[2]->shapes.shapes[i]->as<ppt::OleShape>();
        EXPECT_EQ(opened.embeddings.item(shown.embedding).bytes, testenv::readFile(i ? doc : inner));
    }
}

TEST_F(BinaryWriterTest, ADamagedPptOpensNothing)
{
    binarytest::fillSampleDeck(presentation, dir.path());
    const std::string good = testenv::readFile(write("good.ppt"));
    // The bytes with `with` written over the nth place `anchor` occurs, plus offset.
    auto patched = [&](std::string_view anchor, int nth, std::size_t offset, std::string_view with) {
        std::string file = good;
        std::size_t at = file.find(anchor);
        while (at != std::string::npos && nth-- > 0) at = file.find(anchor, at + 1);
        EXPECT_NE(at, std::string::npos) << "no anchor";
        if (at != std::string::npos) file.replace(at + offset, with.size(), with);
        return file;
    };
    const std::string_view slidePersist("\x00\x00\xF3\x03\x14\x00\x00\x00", 8), slide("\x0F\x00\xEE\x03", 4);
    const std::string firstSlidePersistId = good.substr(good.find(slidePersist, good.find(slidePersist) + 1) + 8, 4);
    const struct {
        std::string file;
        const char* message;
    } cases[] = {
        {good.substr(0, good.size() / 2), "damaged compound file"},
        {patched(slidePersist, 2, 8, firstSlidePersistId), "is listed twice"},  // one slide's work done twice over
        {patched(slide, 0, 4, "\xF0\xFF\xFF\x7F"), "past the end of its container"},
    };
    const int open = app->GetPresentations()->GetCount();
    for (const auto& c : cases) {
        const auto bad = objtest::writeTestFile(dir.path(), "bad.ppt", c.file);
        std::string why;
        EXPECT_TRUE(FAILED(ppttest::errorOf([&] { app->GetPresentations()->Open(ppttest::u16(bad.string()), msoFalse, msoFalse, msoTrue); }, &why)));
        EXPECT_THAT(why, HasSubstr("bad.ppt")) << c.message;
        EXPECT_THAT(why, HasSubstr(c.message));
    }
    EXPECT_EQ(app->GetPresentations()->GetCount(), open);
}

// The design a template gives is checked in BinaryDesignTest, read back from the .pot; a failing
// file operation of the save in WriteFaultSweepTest.

// create's default name end to end: `orvel run` of a script naming "Report".
TEST_F(BinaryWriterTest, CreateWithoutAnExtensionWritesA97Deck)
{
    testenv::writeFile(dir / "report.orvel", "orvel->start();\norvel->create(\"Report\");\norvel->insertText(\"Hello\");\n"
                                             "orvel->setOption(\"startNote\",\"\");\norvel->insertText(\"A note\");\n"
                                             "orvel->setOption(\"endNote\",\"\");\norvel->close();\norvel->stop();\n");
    const auto run = testenv::runCommand("cd " + testenv::shellQuote(dir.path().string()) + " && HOME=. " +
                                         testenv::shellQuote(std::string(ORVEL_BIN_DIR) + "/orvel") +
                                         " run --set PowerPoint/ClosePauseMs=0 report.orvel 2>&1");
    ASSERT_EQ(run.status, 0) << run.output;
    binarytest::expectValidPpt(dir / "report.ppt");
    const std::string poi = binarytest::readWithPoi(dir / "report.ppt");
    EXPECT_THAT(poi, HasSubstr("run \"Hello\""));
    EXPECT_THAT(poi, HasSubstr("run \"A note\""));
}

// 4,092 slides whose notes pages hold nothing and 4,095 different pictures
// are as much as a .ppt numbers (its drawing ids and picture store count in
// 12 bits; a notes page is written only where it has notes). One more is
// one clear error naming the file, the limit and the way out, and the file
// that was there stays as it was, with nothing beside it.
TEST_F(BinaryWriterTest, PastTheFormatsLimitsNothingIsWritten)
{
    for (int n = 0; n < 4092; ++n) addSlide()->GetNotesPage();
    auto shapes = presentation->GetSlides()->Item(1)->GetShapes();
    const auto addPicture = [&](int n) {
        const auto file = objtest::writeEmf(dir / "pictures", std::to_string(n) + ".emf", 1 + n % 64, 1 + n / 64);
        shapes->AddPicture(com::utf8ToUtf16(file.string()), msoFalse, msoTrue, 10, 10, 20, 20);
    };
    std::filesystem::create_directory(dir / "pictures");
    for (int n = 0; n < 4095; ++n) addPicture(n);
    const auto deck = write("full.ppt");
    const std::string previous = testenv::readFile(deck);
    const auto expectRefused = [&](const std::string& limit) {
        std::string why;
        EXPECT_EQ(ppttest::errorOf([&] { save("full.ppt"); }, &why), ppt::HR_FILE_TOO_LARGE);
        for (const std::string& words : {deck.string(), limit, std::string(".pptx name")}) EXPECT_THAT(why, HasSubstr(words));
        EXPECT_EQ(testenv::readFile(deck), previous);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);  // the deck and the pictures
    };
    addPicture(4095);
    expectRefused("4,095 a .ppt file holds");
    auto notes = presentation->GetSlides()->Item(1)->GetNotesPage()->GetShapes()->GetPlaceholders()->Item(2);
    notes->GetTextFrame()->GetTextRange()->InsertAfter(u"One note");
    expectRefused("at most 4,092 slides and notes pages");
}

}  // namespace
