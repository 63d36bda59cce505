// Where each editing call puts its content: rows, cells, paragraphs, runs.
#include <gtest/gtest.h>

#include "DocumentBuilder.h"
#include "TestImages.h"

using namespace word;

namespace {

const Table& tableAt(const DocumentBuilder& b, std::size_t block)
{
    return std::get<Table>(b.content().blocks.at(block));
}

std::string cellText(const Cell& cell)
{
    std::string text;
    for (std::size_t p = 0; p < cell.paragraphs.size(); ++p) {
        if (p) text += "|";
        for (const Run& r : cell.paragraphs[p].runs) text += r.kind == Run::Kind::Picture ? "[pic]" : r.text;
    }
    return text;
}

std::vector<std::vector<std::string>> cells(const Table& table)
{
    std::vector<std::vector<std::string>> rows;
    for (const Row& row : table.rows) {
        rows.emplace_back();
        for (const Cell& cell : row.cells) rows.back().push_back(cellText(cell));
    }
    return rows;
}

Image picture()
{
    return *imageFromBytes(wordtest::makePng(4, 4));
}

}  // namespace

TEST(DocumentBuilder, RowsAndCellsInOrder)
{
    DocumentBuilder b;
    b.startTable();
    for (int r = 0; r < 2; ++r) {
        b.addRow();
        for (int c = 0; c < 3; ++c) {
            b.addCell();
            b.insertText("r" + std::to_string(r) + "c" + std::to_string(c));
        }
    }
    b.endTable();
    ASSERT_EQ(b.content().blocks.size(), 1u);
    EXPECT_EQ(cells(tableAt(b, 0)), (std::vector<std::vector<std::string>>{{"r0c0", "r0c1", "r0c2"},
                                                                            {"r1c0", "r1c1", "r1c2"}}));
}

TEST(DocumentBuilder, LineEndsMakeParagraphsInsideACell)
{
    DocumentBuilder b;
    b.startTable();
    b.addRow();
    b.addCell();
    b.insertText("one\ntwo\r\nthree\rfour");
    b.insertEndl();
    b.insertText("five");
    b.addCell();
    b.insertEndl();  // an endl at the start of a cell leaves an empty first line
    b.insertText("x");
    EXPECT_EQ(cells(tableAt(b, 0)), (std::vector<std::vector<std::string>>{{"one|two|three|four|five", "|x"}}));
}

TEST(DocumentBuilder, ContentOutsideTheTableGoesBeforeAndAfterIt)
{
    DocumentBuilder b;
    b.insertText("before");
    b.startTable();
    b.insertText(" still before");  // no row yet
    b.addRow();
    b.addCell();
    b.insertText("in");
    b.endTable();
    b.insertText("after");
    b.insertEndl();
    b.insertEndl();
    b.insertText("last");
    const auto& blocks = b.content().blocks;
    ASSERT_EQ(blocks.size(), 5u);
    EXPECT_EQ(std::get<Paragraph>(blocks[0]).runs.at(0).text, "before still before");
    EXPECT_TRUE(std::holds_alternative<Table>(blocks[1]));
    EXPECT_EQ(std::get<Paragraph>(blocks[2]).runs.at(0).text, "after");
    EXPECT_TRUE(std::get<Paragraph>(blocks[3]).runs.empty());  // the blank line
    EXPECT_EQ(std::get<Paragraph>(blocks[4]).runs.at(0).text, "last");
}

TEST(DocumentBuilder, ImplicitRowAndCellButNoTableWithoutStartTable)
{
    DocumentBuilder b;
    b.addRow();
    b.addCell();
    b.setRowHeight(30);
    b.insertText("body");
    ASSERT_EQ(b.content().blocks.size(), 1u);
    EXPECT_TRUE(std::holds_alternative<Paragraph>(b.content().blocks[0]));

    b.startTable();
    b.insertEndl();  // still before the table: ends the body line
    b.addCell();     // starts the first row itself
    b.insertText("a");
    b.addRow();
    b.insertText("b");  // starts the row's first cell itself
    ASSERT_EQ(b.content().blocks.size(), 2u);
    EXPECT_EQ(cells(tableAt(b, 1)), (std::vector<std::vector<std::string>>{{"a"}, {"b"}}));
    EXPECT_EQ(tableAt(b, 1).rows[0].heightPoints, 30);
}

TEST(DocumentBuilder, RowHeightAppliesToTheCurrentAndFollowingRows)
{
    DocumentBuilder b;
    b.startTable();
    b.setRowHeight(20);
    b.addRow();
    b.addCell();
    b.setRowHeight(30);  // while the row is current: it changes
    b.addRow();
    b.setRowHeight(-5);
    b.addRow();
    b.setRowHeight(1'000'000);
    const Table& t = tableAt(b, 0);
    EXPECT_EQ(t.rows[0].heightPoints, 30);
    EXPECT_EQ(t.rows[1].heightPoints, 0);
    EXPECT_EQ(t.rows[2].heightPoints, DocumentBuilder::largestRowPoints);
}

TEST(DocumentBuilder, FormatFollowsTheCallsAndEqualRunsMerge)
{
    DocumentBuilder b;
    b.startTable();
    b.addRow();
    b.addCell();
    b.setFontName("Times New Roman");
    b.setFontSize(14);
    b.insertText("a");
    b.insertText("b");  // same format: one run
    b.setFontAttribute(1, true);
    b.setFontAttribute(2, true);
    b.setFontAttribute(4, true);
    b.setFontAttribute(8, true);
    b.setFontAttribute(3, false);  // not one code: nothing
    b.setFontSize(0);              // ignored
    b.setFontSize(32767);          // capped
    b.insertText("c");
    b.setFontName("");
    b.insertText("d");
    const auto& runs = tableAt(b, 0).rows[0].cells[0].paragraphs[0].runs;
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].text, "ab");
    EXPECT_EQ(runs[0].format.fontName, "Times New Roman");
    EXPECT_EQ(runs[0].format.halfPoints, 28);
    EXPECT_FALSE(runs[0].format.bold);
    const RunFormat& f = runs[1].format;
    EXPECT_TRUE(f.bold && f.italic && f.underline && f.strike);
    EXPECT_EQ(f.halfPoints, DocumentBuilder::largestFontPoints * 2);
    EXPECT_EQ(runs[2].format.fontName, RunFormat::defaultFontName);
}

TEST(DocumentBuilder, AlignmentSetsTheCurrentParagraphAndTheNextOnes)
{
    DocumentBuilder b;
    b.startTable();
    b.addRow();
    b.addCell();
    b.insertText("x");
    b.setAlignment(3);
    b.insertEndl();
    b.setAlignment(9);  // unknown: no change
    b.insertText("y");
    b.addCell();
    b.setAlignment(2);
    b.addCell();
    b.setAlignment(4);
    const Row& row = tableAt(b, 0).rows[0];
    EXPECT_EQ(row.cells[0].paragraphs[0].alignment, Alignment::Right);
    EXPECT_EQ(row.cells[0].paragraphs[1].alignment, Alignment::Right);
    EXPECT_EQ(row.cells[1].paragraphs[0].alignment, Alignment::Center);
    EXPECT_EQ(row.cells[2].paragraphs[0].alignment, Alignment::Justify);
}

TEST(DocumentBuilder, PicturesAreStoredOnceAndLinksKept)
{
    DocumentBuilder b;
    b.startTable();
    b.addRow();
    b.addCell();
    b.insertPicture(picture(), "https://example.com/");
    b.addCell();
    b.insertPicture(picture());
    b.insertPicture(*imageFromBytes(wordtest::makePng(5, 5)));
    EXPECT_EQ(b.content().images.size(), 2u);
    const Row& row = tableAt(b, 0).rows[0];
    EXPECT_EQ(row.cells[0].paragraphs[0].runs[0].link, "https://example.com/");
    EXPECT_EQ(row.cells[1].paragraphs[0].runs[0].image, 0u);
    EXPECT_EQ(row.cells[1].paragraphs[0].runs[1].image, 1u);
}

TEST(DocumentBuilder, PageBreaksOutsideTablesOnly)
{
    DocumentBuilder b;
    b.insertText("one");
    b.insertPageBreak();
    b.insertText("two");
    b.startTable();
    b.addRow();
    b.addCell();
    b.insertText("a");
    b.insertPageBreak();  // a cell cannot break pages: a new paragraph
    b.insertText("b");
    b.endTable();
    b.insertPageBreak();
    b.startTable();
    b.addRow();  // a table after a break gets an empty paragraph that starts the page
    const auto& blocks = b.content().blocks;
    ASSERT_EQ(blocks.size(), 5u);
    EXPECT_TRUE(std::get<Paragraph>(blocks[1]).pageBreakBefore);
    EXPECT_EQ(cells(std::get<Table>(blocks[2])), (std::vector<std::vector<std::string>>{{"a|b"}}));
    EXPECT_TRUE(std::get<Paragraph>(blocks[3]).pageBreakBefore);
}

TEST(DocumentBuilder, StartTableTwiceBeginsASecondTable)
{
    DocumentBuilder b;
    b.startTable();
    b.addRow();
    b.addCell();
    b.insertText("first");
    b.startTable();
    b.addRow();
    b.addCell();
    b.insertText("second");
    EXPECT_EQ(b.content().blocks.size(), 2u);
    EXPECT_EQ(cells(tableAt(b, 1)), (std::vector<std::vector<std::string>>{{"second"}}));
}
