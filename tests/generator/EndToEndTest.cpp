// The generator driving the real PowerPoint stand-in (and the Word stand-in
// for tables), read back from the saved file.
#include <algorithm>
#include <fstream>

#include <gtest/gtest.h>

#include "GeneratorFixture.h"
#include "PptxReader.h"
#include "common/Modules.h"
#include "com/ComError.h"
#include "common/PackageCheck.h"
#include "support/SysTime.h"

using namespace gentest;

namespace {

class EndToEnd : public ::testing::Test {
protected:
    EndToEnd()
    {
        std::string error;
        EXPECT_TRUE(testenv::registerModule("libpowerpoint.so", &error)) << error;
        doc = newObject();
    }
    ~EndToEnd() override { doc = nullptr; }

    ComPtr<IDocument> newObject()
    {
        ComPtr<IDocument> made = makeOrvel();
        made->overrideRegistry(bs("PowerPoint").get(), bs("ClosePauseMs").get(), bs("0").get(), 1);
        return made;
    }
    void open(const std::string& name = "deck")
    {
        ASSERT_EQ(doc->start(), S_OK);
        ASSERT_EQ(doc->create(bs((dir / (name + ".pptx")).string()).get()), S_OK);
    }
    // Closes, validates and reads back the deck.
    pptx::Package saved(const std::string& name = "deck")
    {
        doc->close();
        std::filesystem::path file = dir / (name + ".pptx");
        testenv::CommandResult check = testenv::validatePackage(file);
        EXPECT_EQ(check.status, 0) << check.output;
        return pptx::Package(file);
    }
    void text(std::string_view t) { doc->insertText(bs(t).get()); }
    void endl() { doc->insertEndl(); }
    void option(const char* word) { doc->setOption(bs(word).get(), bs("").get()); }

    static const pptx::Shape* body(const pptx::Slide& slide)
    {
        for (const pptx::Shape* s : slide.labels())
            if (std::abs(s->top - 55.0) < 0.01 && std::abs(s->width - 600.0) < 0.01) return s;
        return nullptr;
    }
    // The header label written last on the slide.
    static std::string header(const pptx::Slide& slide)
    {
        std::string text;
        for (const pptx::Shape* s : slide.labels())
            if (std::abs(s->top - 10.0) < 0.01) text = s->text();
        return text;
    }
    // False when the stand-in answers that it does not do this yet.
    template <class Call>
    static bool supported(Call&& call)
    {
        try {
            call();
        } catch (const ComError& e) {
            if (e.Error() == E_NOTIMPL) return false;
            throw;
        }
        return true;
    }
    static std::vector<std::string> bodyLines(const pptx::Package& deck)
    {
        std::vector<std::string> lines;
        for (const pptx::Slide& slide : deck.slides)
            if (const pptx::Shape* b = body(slide))
                for (const pptx::Paragraph& p : b->paragraphs)
                    if (!p.text().empty()) lines.push_back(p.text());
        return lines;
    }

    testenv::ScopedRegistry registry;
    testenv::TempDir dir;
    ScopedCurrentDir cwd{dir.path()};
    ComPtr<IDocument> doc;
};

TEST_F(EndToEnd, BodyTextFlowsOntoNewSlidesAfterALineEnd)
{
    open();
    doc->setFontSize(24);
    for (int i = 1; i <= 60; ++i) {
        text("Line " + std::to_string(i));
        endl();
    }
    pptx::Package deck = saved();
    ASSERT_GE(deck.slides.size(), 3u);
    std::vector<std::string> expected;
    for (int i = 1; i <= 60; ++i) expected.push_back("Line " + std::to_string(i));
    EXPECT_EQ(bodyLines(deck), expected);
    for (std::size_t n = 0; n + 1 < deck.slides.size(); ++n) {
        const pptx::Shape* b = body(deck.slides[n]);
        ASSERT_TRUE(b);
        // Every full slide ends with the line end that filled it.
        EXPECT_EQ(b->paragraphs.back().text(), "") << n;
        EXPECT_GE(b->paragraphs.size(), 12u) << n;  // 24-point lines fill 420 points after a dozen or more
    }
}

TEST_F(EndToEnd, HeadersAreNumberedPerSlide)
{
    open();
    doc->startHeader();
    text("Page ");
    doc->insertField(4);
    text(" of <PAGE>");
    doc->endHeader();
    for (int i = 1; i <= 3; ++i) {
        if (i > 1) doc->insertPageBreak();
        text("Slide body " + std::to_string(i));
    }
    pptx::Package deck = saved();
    ASSERT_EQ(deck.slides.size(), 3u);
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(header(deck.slides[i - 1]), "Page " + std::to_string(i) + " of <PAGE>");
}

// One object, several decks: after close, and after stop and a new start.
TEST_F(EndToEnd, LaterDecksOfOneObjectKeepTheirHeader)
{
    open("a");
    doc->startHeader();
    text("H<PAGE>");
    doc->endHeader();
    text("first");
    std::vector<pptx::Package> decks;
    decks.push_back(saved("a"));
    ASSERT_EQ(doc->create(bs((dir / "b.pptx").string()).get()), S_OK);
    text("second");
    decks.push_back(saved("b"));
    ASSERT_EQ(doc->stop(), S_OK);
    open("c");
    text("third");
    decks.push_back(saved("c"));
    doc->stop();
    for (const pptx::Package& deck : decks) {
        ASSERT_EQ(deck.slides.size(), 1u);
        EXPECT_EQ(header(deck.slides[0]), "H1");
    }
}

TEST_F(EndToEnd, FooterTextSlideNumberAndFixedDate)
{
    open();
    doc->startFooter();
    text("Acme Corp");
    doc->insertField(1);
    doc->insertField(4);
    doc->endFooter();
    text("one");
    doc->insertPageBreak();
    text("two");
    pptx::Package deck = saved();
    ASSERT_EQ(deck.slides.size(), 2u);
    std::string today = SysTime::currentDate().str();
    for (const pptx::Slide& slide : deck.slides) {
        const pptx::Shape* footer = slide.placeholder("ftr");
        ASSERT_TRUE(footer) << slide.part;
        EXPECT_EQ(footer->text(), "Acme Corp");
        EXPECT_TRUE(slide.placeholder("sldNum")) << slide.part;
        const pptx::Shape* date = slide.placeholder("dt");
        ASSERT_TRUE(date) << slide.part;
        EXPECT_EQ(date->text(), today);
    }
}

TEST_F(EndToEnd, NotesGoBetweenStartNoteAndEndNote)
{
    open();
    text("on the slide");
    option("startNote");
    text("speaker note");
    endl();
    text("second line");
    option("endNote");
    text(" again");
    pptx::Package deck = saved();
    ASSERT_EQ(deck.slides.size(), 1u);
    EXPECT_EQ(deck.slides[0].notes, "speaker note\nsecond line");
    EXPECT_EQ(body(deck.slides[0])->text(), "on the slide again");
}

TEST_F(EndToEnd, StylesAndFontCallsFormatTheRuns)
{
    open();
    doc->setStyle(bs("Heading 1").get());
    text("Title");
    endl();
    doc->setStyle(bs("Heading 2").get());
    text("Sub");
    endl();
    doc->setStyle(bs("Normal").get());
    text("Plain");
    endl();
    doc->setFontName(bs("Courier New").get());
    doc->setFontSize(12);
    doc->setFontAttribute(1, 1);
    doc->setFontAttribute(4, 1);
    text("Code");
    pptx::Package deck = saved();
    const pptx::Shape* b = body(deck.slides[0]);
    ASSERT_TRUE(b);
    ASSERT_GE(b->paragraphs.size(), 4u);
    auto run = [&](std::size_t paragraph) { return b->paragraphs[paragraph].runs.at(0); };
    EXPECT_EQ(run(0).font, "Arial");
    EXPECT_EQ(run(0).size, 26);
    EXPECT_TRUE(run(0).bold);
    EXPECT_FALSE(run(0).italic);
    EXPECT_EQ(run(1).size, 24);
    EXPECT_TRUE(run(1).bold && run(1).italic);
    EXPECT_EQ(run(2).font, "Times New Roman");
    EXPECT_EQ(run(2).size, 20);
    EXPECT_FALSE(run(2).bold);
    EXPECT_EQ(run(3).font, "Courier New");
    EXPECT_EQ(run(3).size, 12);
    EXPECT_TRUE(run(3).bold && run(3).underline);
}

TEST_F(EndToEnd, BulletsApplyToTheWholeFrame)
{
    open();
    text("first\nsecond\n");
    doc->setStyle(bs("List Bullet").get());
    text("third");
    pptx::Package deck = saved();
    const pptx::Shape* b = body(deck.slides[0]);
    ASSERT_TRUE(b);
    ASSERT_EQ(b->paragraphs.size(), 3u);
    for (const auto& p : b->paragraphs) EXPECT_TRUE(p.bullet) << p.text();
}

TEST_F(EndToEnd, AlignmentGoesToTheCurrentParagraph)
{
    open();
    text("left\n");
    doc->setTextAlign(2);
    text("centre\n");
    doc->setTextAlign(3);
    text("right");
    pptx::Package deck = saved();
    const pptx::Shape* b = body(deck.slides[0]);
    ASSERT_TRUE(b);
    ASSERT_EQ(b->paragraphs.size(), 3u);
    EXPECT_TRUE(b->paragraphs[0].align.empty() || b->paragraphs[0].align == "l");
    EXPECT_EQ(b->paragraphs[1].align, "ctr");
    EXPECT_EQ(b->paragraphs[2].align, "r");
}

TEST_F(EndToEnd, HyperlinksFromMarkupAndSlideJumps)
{
    open();
    text("See <a href=\"http://a.example/\">site A</a> and <a href=\"mailto:b@example.com\">mail B</a>.");
    endl();
    text("Broken <a href=\"http://c.example/\">no end");
    endl();
    text("<a href=\"#GUID 7\">guid</a>");
    endl();
    doc->insertXref(bs("to three").get(), bs("Slide 3").get());
    doc->insertPageBreak();
    text("two");
    doc->insertPageBreak();
    text("three");
    pptx::Package deck = saved();
    ASSERT_EQ(deck.slides.size(), 3u);
    const pptx::Shape* b = body(deck.slides[0]);
    ASSERT_TRUE(b);
    std::map<std::string, pptx::Run> runs;
    for (const auto& p : b->paragraphs)
        for (const auto& r : p.runs) runs[r.text] = r;
    EXPECT_EQ(b->paragraphs[0].text(), "See site A and mail B.");
    EXPECT_EQ(runs["site A"].link, "http://a.example/");
    EXPECT_EQ(runs["mail B"].link, "mailto:b@example.com");
    EXPECT_EQ(b->paragraphs[1].text(), "Broken <a href=\"http://c.example/\">no end");
    EXPECT_EQ(b->paragraphs[2].text(), "guid");
    EXPECT_EQ(runs["to three"].jumpTo, 3);
}

TEST_F(EndToEnd, TenThousandLineTextFileLosesNoLine)
{
    std::string content;
    std::vector<std::string> expected;
    for (int i = 1; i <= 10000; ++i) {
        expected.push_back("text file line " + std::to_string(i));
        content += expected.back() + "\n";
    }
    testenv::writeFile(dir / "long.txt", content);
    open();
    doc->insertFile(bs((dir / "long.txt").string()).get(), 0);
    pptx::Package deck = saved();
    EXPECT_GT(deck.slides.size(), 100u);
    EXPECT_EQ(bodyLines(deck), expected);
}

// A 1 x 1 GIF picture.
const std::string tinyGif("GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00!\xf9\x04\x01\x00\x00\x00\x00,"
                          "\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
                          43);

TEST_F(EndToEnd, PicturesAreStoredBelowTheTextAndInTheHeader)
{
    testenv::writeFile(dir / "dot.gif", tinyGif);
    open();
    doc->startHeader();
    doc->insertImage(bs("dot.gif").get(), bs("http://logo.example/").get());
    doc->endHeader();
    text("above the picture");
    doc->setTextAlign(2);
    if (!supported([&] { doc->insertImage(bs("dot.gif").get(), bs("").get()); }))
        GTEST_SKIP() << "the PowerPoint stand-in does not place pictures yet";
    text("below the picture");
    pptx::Package deck = saved();
    ASSERT_EQ(deck.slides.size(), 1u);
    auto pictures = deck.slides[0].ofKind("pic");
    ASSERT_EQ(pictures.size(), 2u);
    const pptx::Shape* inBody = pictures[0];
    const pptx::Shape* inHeader = pictures[1];
    EXPECT_EQ(inBody->left, 80.0);
    EXPECT_EQ(inBody->width, 600.0);
    EXPECT_EQ(inBody->height, 350.0);
    EXPECT_GT(inBody->top, 65.0);
    EXPECT_EQ(inHeader->left, 0.0);
    EXPECT_EQ(inHeader->top, 0.0);
    EXPECT_EQ(inHeader->clickLink, "http://logo.example/");
    const pptx::Shape* b = body(deck.slides[0]);
    EXPECT_EQ(b->paragraphs.front().text(), "above the picture");
    EXPECT_EQ(b->paragraphs.back().text(), "below the picture");
}

class EndToEndTables : public EndToEnd {
protected:
    EndToEndTables()
    {
        std::string error;
        EXPECT_TRUE(testenv::registerModule("liborvelword.so", &error)) << error;
    }
    static int rowsOf(const pptx::Package& deck, const pptx::Shape& object)
    {
        std::string xml = pptx::zipEntry(deck.read(object.embedded), "word/document.xml");
        int rows = 0;
        for (std::size_t at = xml.find("<w:tr"); at != std::string::npos; at = xml.find("<w:tr", at + 1))
            if (xml.compare(at, 6, "<w:tr>") == 0 || xml.compare(at, 6, "<w:tr ") == 0) ++rows;
        return rows;
    }
};

TEST_F(EndToEndTables, ALongTableIsCutIntoEmbeddedWordDocuments)
{
    open();
    for (int i = 1; i <= 14; ++i) {
        text("Body line " + std::to_string(i));
        endl();
    }
    doc->startTable();
    for (int r = 1; r <= 30; ++r) {
        if (!supported([&] { doc->addRow(); }))
            GTEST_SKIP() << "the PowerPoint stand-in does not embed objects yet";
        for (int c = 1; c <= 3; ++c) {
            doc->addCell();
            text("r" + std::to_string(r) + "c" + std::to_string(c));
        }
    }
    doc->endTable();
    pptx::Package deck = saved();
    std::vector<std::pair<const pptx::Shape*, std::size_t>> parts;
    for (std::size_t n = 0; n < deck.slides.size(); ++n)
        for (const pptx::Shape& s : deck.slides[n].shapes)
            if (!s.embedded.empty()) parts.emplace_back(&s, n);
    ASSERT_GE(parts.size(), 2u);
    EXPECT_GT(parts[0].first->top - 65.0, 100.0);  // the first part sits below the body text
    int total = 0;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const pptx::Shape& part = *parts[i].first;
        EXPECT_EQ(part.left, 80.0);
        EXPECT_NE(part.progId.find("Word.Document"), std::string::npos) << part.progId;
        EXPECT_EQ(parts[i].second, i) << "one part per slide, on successive slides";
        // Top = text height + 65; a part is cut before the row that would
        // take 20-point rows and that height past 420 points.
        double h0 = part.top - 65.0;
        int fitting = static_cast<int>((420.0 - h0) / 20.0) + 1;
        int rows = rowsOf(deck, part);
        if (i + 1 < parts.size())
            EXPECT_EQ(rows, fitting) << "part " << i;
        else
            EXPECT_LE(rows, fitting);
        total += rows;
    }
    EXPECT_EQ(total, 30);
    EXPECT_FALSE(std::filesystem::exists(dir / "abctabxyz.doc"));
}

TEST_F(EndToEndTables, ATableWithALongColumnStaysOnTheSlide)
{
    open();
    std::string description;
    for (int i = 0; i < 40; ++i) description += "long description ";
    doc->startTable();
    for (int r = 1; r <= 3; ++r) {
        doc->addRow();
        for (const std::string& cell : {std::string("Item"), std::string("Code 1234"), description, std::string("9.99")}) {
            doc->addCell();
            text(cell);
        }
    }
    doc->endTable();
    pptx::Package deck = saved();
    auto objects = deck.slides[0].ofKind("graphicFrame");
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_EQ(objects[0]->left, 80.0);
    EXPECT_LE(objects[0]->left + objects[0]->width, 720.0);
    EXPECT_GT(objects[0]->height, 3 * 3 * 16.0);  // the long cells wrap onto several lines
}

TEST_F(EndToEnd, WithoutWordTheCellsAreParagraphs)
{
    open();
    doc->startTable();
    doc->addRow();
    doc->addCell();
    text("cell one");
    endl();
    doc->addCell();
    text("cell two");
    doc->endTable();
    pptx::Package deck = saved();
    EXPECT_EQ(bodyLines(deck), (std::vector<std::string>{"cell one", "cell two"}));
    EXPECT_TRUE(deck.slides[0].ofKind("graphicFrame").empty());
}

}  // namespace
