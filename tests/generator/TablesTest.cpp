// Tables through the Word stand-in: when a table is cut, where its parts are
// embedded, what goes into them, and the cells as paragraphs without Word.
#include <gtest/gtest.h>

#include "GeneratorFixture.h"
#include "common/Modules.h"
#include "registry/RegisterIt.h"

using namespace gentest;

namespace {

class Tables : public GeneratorTest {
protected:
    Tables()
    {
        std::string error;
        EXPECT_TRUE(testenv::registerModule("liborvelword.so", &error)) << error;
    }
    // A deck whose body holds 14 lines of text.
    void openBelowBodyLines()
    {
        open();
        for (int i = 1; i <= 14; ++i) {
            text("Body line " + std::to_string(i));
            endl();
        }
    }
    void row(const std::vector<std::string>& cells)
    {
        doc->addRow();
        for (const std::string& cell : cells) {
            doc->addCell();
            text(cell);
        }
    }
    static std::string documentOf(const pptx::Package& deck, const pptx::Shape& object)
    {
        return pptx::zipEntry(deck.read(object.embedded), "word/document.xml");
    }
    static int rowsOf(const pptx::Package& deck, const pptx::Shape& object)
    {
        std::string xml = documentOf(deck, object);
        int rows = 0;
        for (std::size_t at = xml.find("<w:tr"); at != std::string::npos; at = xml.find("<w:tr", at + 1))
            if (xml.compare(at, 6, "<w:tr>") == 0 || xml.compare(at, 6, "<w:tr ") == 0) ++rows;
        return rows;
    }
    static std::vector<const pptx::Shape*> objects(const pptx::Package& deck)
    {
        std::vector<const pptx::Shape*> out;
        for (const pptx::Slide& slide : deck.slides)
            for (const pptx::Shape& s : slide.shapes)
                if (!s.embedded.empty()) out.push_back(&s);
        return out;
    }
};

TEST_F(Tables, ALongTableIsCutIntoEmbeddedWordDocuments)
{
    openBelowBodyLines();
    doc->startTable();
    for (int r = 1; r <= 30; ++r) {
        doc->addRow();
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

TEST_F(Tables, ATableWithALongColumnStaysOnTheSlide)
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

// The table font is what was set before the first row, on every part; the
// content while a table is open goes into it, and styles stay with the slide.
TEST_F(Tables, TheTableTakesTheContentAndItsFontOverACut)
{
    openBelowBodyLines();
    doc->startTable();
    EXPECT_EQ(logFrom("orvel->startTable();"), (std::vector<std::string>{"orvel->startTable();", "orvel->setFontSize(16);"}));
    doc->setFontName(bs("Courier New").get());
    doc->setFontAttribute(1, 1);
    doc->setFontSize(10);
    doc->addRow();
    doc->addCell();
    text("see <a href=\"http://x\">this</a>!");
    doc->setStyle(bs("Heading 1").get());
    doc->setFontSize(30);  // after the first row: the table keeps 10
    doc->insertField(3);
    for (int r = 2; r <= 40; ++r) row({"r" + std::to_string(r)});
    doc->endTable();
    doc->endTable();  // no table open: nothing more
    pptx::Package deck = saved();
    auto parts = objects(deck);
    ASSERT_GE(parts.size(), 2u);
    for (const pptx::Shape* part : parts) {
        std::string xml = documentOf(deck, *part);
        EXPECT_NE(xml.find("Courier New"), std::string::npos);
        EXPECT_NE(xml.find("<w:sz w:val=\"20\"/>"), std::string::npos);
        EXPECT_NE(xml.find("<w:b/>"), std::string::npos);
    }
    std::string first = documentOf(deck, *parts[0]);
    EXPECT_NE(first.find(">see <"), std::string::npos);
    EXPECT_NE(first.find(">this<"), std::string::npos);
    EXPECT_NE(first.find("deck.ppt"), std::string::npos);
    // Nothing of the table on the slide but the push-down below the part.
    for (const pptx::Paragraph& p : deck.slides[1].labels().at(1)->paragraphs) EXPECT_EQ(p.text(), "");
}

TEST_F(Tables, RowsAndCellsOutsideATableAndATableStartedTwice)
{
    open();
    doc->addCell();  // no table: echo only
    doc->addRow();
    doc->startTable();
    row({"a", "b"});
    doc->startTable();  // begins again on the same file: a and b are gone
    doc->addRow();
    doc->addRow();  // no cell since the last row: ignored
    doc->addCell();
    text("c");
    doc->endTable();
    EXPECT_EQ(logFrom("orvel->addCell();").size(), 16u);
    pptx::Package deck = saved();
    auto parts = objects(deck);
    ASSERT_EQ(parts.size(), 1u);
    EXPECT_EQ(rowsOf(deck, *parts[0]), 1);
    EXPECT_EQ(documentOf(deck, *parts[0]).find(">a<"), std::string::npos);
}

void registerBackEnd(const char* name, const char* classId)
{
    ASSERT_TRUE(RegisterIt::addDoc(RegDoc{KestString(name), KestString("test back-end"), KestString(classId),
                                          KestString("/nowhere/backend.so")}));
}

using TableBackEnds = GeneratorTest;

TEST_F(TableBackEnds, WithoutOneThatCanBeMadeTheCellsAreParagraphs)
{
    registerBackEnd("Microsoft Word", "{00000000-0000-0000-0000-0000000000A3}");
    open();
    doc->startTable();
    doc->addRow();
    doc->addCell();
    text("cell one");
    endl();
    doc->addCell();
    text("cell two");
    doc->endTable();
    expectRecorded(savedDump());
}

TEST_F(TableBackEnds, TheFirstExactlyNamedOneWins)
{
    registerBackEnd("microsoft word", "{00000000-0000-0000-0000-0000000000A1}");
    std::string error;
    ASSERT_TRUE(testenv::registerModule("liborvelword.so", &error)) << error;
    registerBackEnd("Microsoft Word", "{00000000-0000-0000-0000-0000000000A2}");
    open();
    doc->startTable();
    doc->addRow();
    doc->addCell();
    text("cell");
    doc->endTable();
    EXPECT_EQ(saved().slides.at(0).ofKind("graphicFrame").size(), 1u);
}

}  // namespace
