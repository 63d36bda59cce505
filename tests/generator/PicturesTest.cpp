// Pictures and files: finding them, and insertFile by kind of file (their
// placement: scripts/PicturePlacement.orvel, HeaderAndFooterPictures.orvel).
#include <gtest/gtest.h>

#include "GeneratorFixture.h"
#include "generator/TextFileReader.h"
#include "registry/RegisterDynamic.h"

using namespace gentest;

namespace {

class Pictures : public GeneratorTest {
protected:
    std::string picture(const std::string& name = "pic.gif")
    {
        testenv::writeFile(dir / name, tinyGif);
        return (dir / name).string();
    }
};

// Missing files write one trace line and nothing else.
TEST_F(Pictures, BarePictureNamesAreLookedForInThePictureFolderOthersAsGiven)
{
    std::filesystem::create_directories(dir / "inst" / "pix");
    testenv::writeFile(dir / "inst" / "pix" / "logo.gif", tinyGif);
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
    image("nowhere/x.gif");
    image("");
    doc->insertFile(bs((dir / "none.txt").string()).get(), 0);
    expectRecorded(withoutDir(joined(logFrom("orvel->insertImage(\"LOGO.GIF\",\"\");"))), "-log");
    EXPECT_EQ(saved().slides.at(0).ofKind("pic").size(), 1u);
}

TEST_F(Pictures, FilesByKind)
{
    open("other");
    text("embedded");
    doc->close();
    testenv::writeFile(dir / "data.csv", "a,b\n");
    // A presentation embedded by its name: a package, whatever ".ppt" says.
    std::string other = deckPath("other.ppt");
    std::filesystem::copy_file(deckPath("other"), other);
    open();
    doc->insertFile(bs("http://example.com/page").get(), 0);
    doc->insertFile(bs(other).get(), 0);
    doc->insertFile(bs(other).get(), 2);
    doc->insertFile(bs((dir / "data.csv").string()).get(), 2);
    doc->insertFile(bs(picture()).get(), 2);  // linked: a hyperlink, not a picture
    doc->insertFile(bs(picture("p2.gif")).get(), 0);
    doc->startHeader();  // ignored in the header and footer
    doc->insertFile(bs((dir / "data.csv").string()).get(), 0);
    doc->endHeader();
    doc->startFooter();
    doc->insertFile(bs("http://x").get(), 0);
    doc->endFooter();
    expectRecorded(savedDump());
}

TEST_F(Pictures, TextFilesFlowAcrossSlidesLineByLineOrGoToTheNotes)
{
    std::string content;
    std::vector<std::string> expected;
    for (int i = 1; i <= 10000; ++i) {
        expected.push_back("text file line " + std::to_string(i));
        content += expected.back() + "\n";
    }
    testenv::writeFile(dir / "long.txt", content);
    testenv::writeFile(dir / "n.txt", "one\r\ntwo");
    open();
    option("startNote");
    doc->insertFile(bs((dir / "n.txt").string()).get(), 0);
    option("endNote");
    doc->insertFile(bs((dir / "long.txt").string()).get(), 0);
    pptx::Package deck = saved();
    EXPECT_GT(deck.slides.size(), 100u);
    EXPECT_EQ(deck.slides[0].notes, "one\ntwo");
    std::vector<std::string> lines;
    for (const pptx::Slide& slide : deck.slides)
        for (const pptx::Paragraph& p : slide.labels().at(1)->paragraphs)
            if (!p.text().empty()) lines.push_back(p.text());
    EXPECT_EQ(lines, expected);
}

TEST(TextFileReading, LinesPiecesTheLastLineAndFilesWithNone)
{
    testenv::TempDir dir;
    std::string longLine(5000, 'x');
    testenv::writeFile(dir / "t.txt", "a\r\n\nb\r" + longLine + "\nlast");
    // A piece never ends inside a character: é straddles the buffer's end.
    testenv::writeFile(dir / "u.txt", std::string(1998, 'x') + "\xC3\xA9" + "tail");
    testenv::writeFile(dir / "empty.txt", "");
    auto pieces = [&](const char* name) {
        TextFileReader reader(KestString((dir / name).string()));
        std::vector<std::pair<std::string, bool>> out;
        std::string piece;
        bool endsLine = false;
        while (reader.next(piece, endsLine)) out.emplace_back(piece, endsLine);
        EXPECT_FALSE(reader.next(piece, endsLine));
        return out;
    };
    using Pieces = std::vector<std::pair<std::string, bool>>;
    EXPECT_EQ(pieces("t.txt"), (Pieces{{"a", true},
                                       {"", true},
                                       {"b\r" + std::string(1997, 'x'), false},
                                       {std::string(1999, 'x'), false},
                                       {std::string(1004, 'x'), true},
                                       {"last", false}}));
    EXPECT_EQ(pieces("u.txt"), (Pieces{{std::string(1998, 'x'), false}, {"\xC3\xA9tail", false}}));
    EXPECT_EQ(pieces("empty.txt"), Pieces{});
    EXPECT_EQ(pieces("missing.txt"), Pieces{});
    EXPECT_FALSE(TextFileReader(KestString((dir / "missing.txt").string())).isOpen());
}

}  // namespace
