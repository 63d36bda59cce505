// Pictures and files: finding them, placing them below the text, the fit
// rule, the push-down, and insertFile by kind of file.
#include <gtest/gtest.h>

#include "GeneratorFixture.h"
#include "com/ComError.h"
#include "generator/TextFileReader.h"
#include "registry/RegisterDynamic.h"

using namespace gentest;

namespace {

class Pictures : public GeneratorTest {
protected:
    std::string picture(const std::string& name = "pic.jpg")
    {
        testenv::writeFile(dir / name, "\xFF\xD8\xFF");
        return (dir / name).string();
    }
    void image(const std::string& file, const std::string& link = "")
    {
        doc->insertImage(bs(file).get(), bs(link).get());
    }
    // Body text of n paragraphs.
    void paragraphs(int n)
    {
        std::string t;
        for (int i = 0; i < n; ++i) t += i ? "\nline" : "line";
        text(t);
    }
};

TEST_F(Pictures, APictureThatFitsGoesBelowTheText)
{
    ppt.lineHeight = 18.0;
    open();
    paragraphs(5);  // 90 points: 90 + 350 is not above 440
    image(picture(), "http://example.com");
    auto pictures = slideAt(1)->ofKind("picture");
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0]->top, 155.0f);
    EXPECT_EQ(pictures[0]->left, 75.0f);
    EXPECT_EQ(pictures[0]->width, 600.0f);
    EXPECT_EQ(pictures[0]->height, 350.0f);
    EXPECT_EQ(pictures[0]->linkToFile, 0);
    EXPECT_EQ(pictures[0]->click->address, "http://example.com");
    // The text was pushed below the picture: at least 350 points more.
    EXPECT_GE(ppt.frameHeight(slideAt(1)->labels()[1]->frame->text) - 90.0, 350.0);
    EXPECT_LT(ppt.frameHeight(slideAt(1)->labels()[1]->frame->text) - 90.0, 350.0 + 18.0);
    EXPECT_EQ(deck()->slides.size(), 1u);
}

TEST_F(Pictures, APictureThatDoesNotFitStartsANewSlide)
{
    ppt.lineHeight = 20.0;
    open();
    paragraphs(5);  // 100 points: 100 + 350 > 440
    image(picture());
    ASSERT_EQ(deck()->slides.size(), 2u);
    EXPECT_TRUE(slideAt(1)->ofKind("picture").empty());
    auto pictures = slideAt(2)->ofKind("picture");
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0]->top, 65.0f);
    EXPECT_EQ(bodyOf(2), std::string(17, '\r'));  // 18 paragraphs: 360 points >= 350
    EXPECT_EQ(ppt.count("Shape.ActionSettings"), 0);
}

TEST_F(Pictures, HorizontalPlacementFollowsTheBodyAlignment)
{
    open();
    std::string file = picture();
    std::vector<float> lefts;
    for (short align : {2, 3, 1, 4, 7}) {
        doc->setTextAlign(align);
        image(file);
        lefts.push_back(ppt.open.back()->slides.back()->ofKind("picture").back()->left);
    }
    EXPECT_EQ(lefts, (std::vector<float>{80, 80, 75, 75, 75}));
}

TEST_F(Pictures, MissingFilesWriteOneTraceLineAndNothingElse)
{
    open();
    image("nowhere/x.gif");
    image("");
    doc->insertFile(bs((dir / "none.txt").string()).get(), 0);
    EXPECT_EQ(logFrom("orvel->insertImage(\"nowhere/x.gif\",\"\");"),
              (std::vector<std::string>{"orvel->insertImage(\"nowhere/x.gif\",\"\");", "ERR File not found: nowhere/x.gif",
                                        "orvel->insertImage(\"\",\"\");",
                                        "orvel->insertFile(\"" + (dir / "none.txt").string() + "\",0);",
                                        "ERR File not found: " + (dir / "none.txt").string()}));
    EXPECT_EQ(ppt.count("Shapes.AddPicture"), 0);
}

TEST_F(Pictures, BarePictureNamesAreLookedForInThePictureFolder)
{
    std::filesystem::create_directories(dir / "inst" / "pix");
    testenv::writeFile(dir / "inst" / "pix" / "logo.gif", "GIF89a");
    testenv::writeFile(dir / "inst" / "pix" / "notes.txt", "x");
    RegisterDynamic().write(KestString("Settings"), KestString("InstallDir"),
                            RegEntry(KestString((dir / "inst").string())), false);
    doc = newObject();  // reads the install directory when made
    // An override made afterwards changes nothing.
    doc->overrideRegistry(bs("Settings").get(), bs("InstallDir").get(), bs("/elsewhere").get(), 1);
    open();
    image("logo.gif");
    image("LOGO.GIF");  // the extension must match exactly
    doc->insertFile(bs("notes.txt").get(), 0);  // not a picture name
    auto pictures = slideAt(1)->ofKind("picture");
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0]->fileName, (dir / "inst").string() + "/pix\\logo.gif");
    std::vector<std::string> lines = logLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "ERR File not found: LOGO.GIF"), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "ERR File not found: notes.txt"), 1);
}

TEST_F(Pictures, HeaderAndNotesModes)
{
    open();
    std::string file = picture("head.gif");
    option("startNote");
    image(file);
    option("endNote");
    EXPECT_EQ(ppt.count("Shapes.AddPicture"), 0);
    doc->startHeader();
    image(file, "http://h");
    EXPECT_EQ(ppt.count("Shapes.AddPicture"), 0);
    doc->endHeader();
    doc->close();
    EXPECT_EQ(ppt.callsOf("Shapes.AddPicture"),
              std::vector<std::string>{"Shapes.AddPicture(\"" + file + "\",0,-1,0,0,600,350)"});
}

TEST_F(Pictures, PlacementBeforeCreatePassesTheComErrorOn)
{
    try {
        image(picture());
        FAIL() << "no error";
    } catch (const ComError& e) {
        EXPECT_EQ(e.Error(), E_POINTER);
    }
    EXPECT_EQ(logLines(), std::vector<std::string>{"orvel->insertImage(\"" + (dir / "pic.jpg").string() + "\",\"\");"});
}

TEST_F(Pictures, APictureThatPowerPointCannotReadIsAComError)
{
    open();
    ppt.fail("Shapes.AddPicture", HR_BAD_FORMAT);
    EXPECT_THROW(image(picture()), ComError);
}

TEST_F(Pictures, FilesByKind)
{
    open();
    testenv::writeFile(dir / "other.ppt", "x");
    testenv::writeFile(dir / "data.csv", "a,b\n");
    std::string ppt1 = (dir / "other.ppt").string();
    std::string csv = (dir / "data.csv").string();
    doc->insertFile(bs("http://example.com/page").get(), 0);
    doc->insertFile(bs(ppt1).get(), 0);
    doc->insertFile(bs(ppt1).get(), 2);
    doc->insertFile(bs(csv).get(), 2);
    doc->insertFile(bs(picture()).get(), 2);  // linked: a hyperlink, not a picture
    doc->insertFile(bs(picture("p2.jpg")).get(), 0);
    EXPECT_EQ(ppt.callsOf("Shapes.AddOLEObject"),
              (std::vector<std::string>{
                  "Shapes.AddOLEObject(120,110,480,320,\"\",\"" + ppt1 + "\",0,\"PowerPnt.exe\",1,\"other.ppt\",0)",
                  "Shapes.AddOLEObject(120,110,480,320,\"\",\"" + ppt1 + "\",0,\"PowerPnt.exe\",1,\"other.ppt\",-1)"}));
    EXPECT_EQ(slideAt(1)->ofKind("picture").size(), 1u);
    doc->close();
    auto body = slideAt(1)->labels()[1]->frame;
    EXPECT_EQ(body->paragraphs().front(), "http://example.com/pagedata.csvpic.jpg");
    ASSERT_EQ(body->links.size(), 3u);
    EXPECT_EQ(body->links[2].link->address, "http://example.com/page");
    EXPECT_EQ(body->links[1].link->address, csv);
    EXPECT_EQ(body->links[0].link->address, (dir / "pic.jpg").string());
}

TEST_F(Pictures, FilesInHeaderOrFooterModeAreIgnored)
{
    open();
    testenv::writeFile(dir / "data.txt", "a\n");
    doc->startHeader();
    doc->insertFile(bs((dir / "data.txt").string()).get(), 0);
    doc->endHeader();
    doc->startFooter();
    doc->insertFile(bs("http://x").get(), 0);
    doc->endFooter();
    EXPECT_EQ(bodyOf(1), "");
    doc->close();
    EXPECT_EQ(slideAt(1)->headersFooters.footer.text, "");
}

TEST_F(Pictures, TextFilesFlowAcrossSlidesLineByLine)
{
    ppt.lineHeight = 20.0;
    std::string content;
    for (int i = 1; i <= 30; ++i) content += "line " + std::to_string(i) + "\n";
    testenv::writeFile(dir / "lines.txt", content);
    open();
    doc->insertFile(bs((dir / "lines.txt").string()).get(), 0);
    ASSERT_EQ(deck()->slides.size(), 2u);
    // 21 paragraphs reach 420 points: the line end after line 20 starts slide 2.
    auto first = slideAt(1)->labels()[1]->frame->paragraphs();
    EXPECT_EQ(first.size(), 21u);
    EXPECT_EQ(first[19], "line 20");
    auto second = slideAt(2)->labels()[1]->frame->paragraphs();
    EXPECT_EQ(second.front(), "line 21");
    EXPECT_EQ(second[9], "line 30");
}

TEST_F(Pictures, TextFilesInNotesModeGoToTheNotes)
{
    testenv::writeFile(dir / "n.txt", "one\r\ntwo");
    open();
    option("startNote");
    doc->insertFile(bs((dir / "n.txt").string()).get(), 0);
    EXPECT_EQ(slideAt(1)->notesText(), "one\rtwo");
}

TEST(TextFileReading, LinesPiecesAndTheLastLine)
{
    testenv::TempDir dir;
    std::string longLine(5000, 'x');
    testenv::writeFile(dir / "t.txt", "a\r\n\nb\r" + longLine + "\nlast");
    TextFileReader reader(KestString((dir / "t.txt").string()));
    ASSERT_TRUE(reader.isOpen());
    std::vector<std::pair<std::string, bool>> pieces;
    std::string piece;
    bool endsLine = false;
    while (reader.next(piece, endsLine)) pieces.emplace_back(piece, endsLine);
    ASSERT_EQ(pieces.size(), 6u);
    EXPECT_EQ(pieces[0], std::make_pair(std::string("a"), true));
    EXPECT_EQ(pieces[1], std::make_pair(std::string(""), true));
    EXPECT_EQ(pieces[2], std::make_pair("b\r" + std::string(1997, 'x'), false));
    EXPECT_EQ(pieces[3], std::make_pair(std::string(1999, 'x'), false));
    EXPECT_EQ(pieces[4], std::make_pair(std::string(1004, 'x'), true));
    EXPECT_EQ(pieces[5], std::make_pair(std::string("last"), false));
    EXPECT_FALSE(reader.next(piece, endsLine));
}

TEST(TextFileReading, LongLinesAreNotCutInsideACharacter)
{
    testenv::TempDir dir;
    std::string line = std::string(1998, 'x') + "\xC3\xA9" + "tail";  // é straddles the buffer's end
    testenv::writeFile(dir / "u.txt", line);
    TextFileReader reader(KestString((dir / "u.txt").string()));
    std::string piece;
    bool endsLine = true;
    ASSERT_TRUE(reader.next(piece, endsLine));
    EXPECT_EQ(piece, std::string(1998, 'x'));
    EXPECT_FALSE(endsLine);
    ASSERT_TRUE(reader.next(piece, endsLine));
    EXPECT_EQ(piece, "\xC3\xA9tail");
}

TEST(TextFileReading, EmptyAndMissingFiles)
{
    testenv::TempDir dir;
    testenv::writeFile(dir / "empty.txt", "");
    std::string piece;
    bool endsLine = false;
    EXPECT_FALSE(TextFileReader(KestString((dir / "empty.txt").string())).next(piece, endsLine));
    TextFileReader missing(KestString((dir / "missing.txt").string()));
    EXPECT_FALSE(missing.isOpen());
    EXPECT_FALSE(missing.next(piece, endsLine));
}

}  // namespace
