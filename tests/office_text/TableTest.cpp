// The grid every table is sized by, and the two layouts over it: a Word
// table's preview at its natural size, and the tables the Word stand-in
// writes, fitted to a page just large enough for them.
#include <gtest/gtest.h>

#include "DocumentBuilder.h"
#include "DocumentLayout.h"
#include "ImageFile.h"
#include "TestImages.h"
#include "media/Preview.h"
#include "media/TableLayout.h"
#include "office/text/FontCatalog.h"
#include "office/text/TableGrid.h"

namespace {

using office::CellExtent;
using office::RowHeightRule;

TEST(TableGrid, ColumnsTakeTheirWidestContentAndShareTheRoomThereIs)
{
    office::ColumnRules rules;
    rules.fixed = {0, 50, 0, 0};
    rules.emptyColumn = 9;
    // One cell spans the free column 0 and the fixed 1; column 3 holds nothing.
    std::vector<CellExtent> cells = {{0, 1, 30, 10}, {0, 1, 20, 20}, {1, 1, 500, 500}, {2, 1, 40, 5}, {0, 2, 100, 100}};
    EXPECT_EQ(office::columnWidths(4, cells, rules), (std::vector<double>{50, 50, 40, 9}));

    // Too wide: each keeps its minimum, the rest shared by what it lacks...
    rules = {};
    cells = {{0, 1, 100, 20}, {1, 1, 300, 40}};
    auto fitted = office::columnWidths(2, cells, {{}, 0, 200});
    EXPECT_DOUBLE_EQ(fitted[0], 20 + 80 * 140.0 / 340);
    EXPECT_DOUBLE_EQ(fitted[0] + fitted[1], 200);
    // ...and when not even the minimums fit, all shrink alike.
    fitted = office::columnWidths(2, cells, {{}, 0, 40});
    EXPECT_DOUBLE_EQ(fitted[1], 3 * fitted[0]);

    EXPECT_EQ(office::rowHeight(14, RowHeightRule::Auto, 30, 12), 14);
    EXPECT_EQ(office::rowHeight(0, RowHeightRule::Auto, 0, 12), 12);  // an empty row still takes a line
    EXPECT_EQ(office::rowHeight(14, RowHeightRule::AtLeast, 30, 12), 30);
    EXPECT_EQ(office::rowHeight(40, RowHeightRule::AtLeast, 30, 12), 40);
    EXPECT_EQ(office::rowHeight(40, RowHeightRule::Exact, 30, 12), 30);
}

// --- The preview of a Word table (ppt_media) ---

using namespace pptmedia;

DocxCell cell(const std::string& text, double sizePt = 10)
{
    DocxCell c;
    DocxParagraph& p = c.paragraphs.emplace_back();
    if (!text.empty()) p.runs.push_back({text, "Liberation Sans", sizePt});
    p.mark.sizePt = sizePt;
    p.mark.fontName = "Liberation Sans";
    return c;
}

double lineHeight(double sizePt) { return lineHeightPt({"Liberation Sans", sizePt}); }

// Arial, as the Word stand-in writes, is measured with its metric twin.
double textWidth(const std::string& text, double sizePt = 10)
{
    return office::FontCatalog::instance().font("Liberation Sans", false, false).width(text) * sizePt;
}

TEST(TablePreview, GridRowRulesAndTextSizeTheTable)
{
    DocxTable table;
    table.gridColumnsPt = {72, 144, 36};
    table.rows.push_back({{cell("a"), cell("b"), cell("c")}, 30, DocxHeightRule::AtLeast});
    table.rows.push_back({{cell("a"), cell("b"), cell("c")}, 12, DocxHeightRule::Exact});
    table.rows.push_back({{cell("a", 24), cell("b"), cell("\xF0\x9F\x98\x80")}, 5, DocxHeightRule::AtLeast});
    DocxCell twoParagraphs = cell("one two three four five six seven eight nine ten");
    twoParagraphs.paragraphs.push_back(cell("second").paragraphs[0]);
    table.rows.push_back({{twoParagraphs}});
    TableLayout layout = layoutTable(table);
    EXPECT_EQ(layout.columnWidthsPt, (std::vector<double>{72, 144, 36}));
    EXPECT_DOUBLE_EQ(layout.widthPt, 252);
    EXPECT_DOUBLE_EQ(layout.rowHeightsPt[0], 30);  // at least 30, the text needs less
    EXPECT_DOUBLE_EQ(layout.rowHeightsPt[1], 12);  // exactly 12, whatever the text
    EXPECT_NEAR(layout.rowHeightsPt[2], lineHeight(24), 1e-9);
    // EMF text records take an advance per UTF-16 unit: none for a pair's second half.
    const PlacedSpan& pair = layout.cells[8].content.lines.at(0).spans.at(0);
    EXPECT_EQ(pair.advances.size(), 2u);
    EXPECT_GT(pair.advances[0], 0);
    EXPECT_EQ(pair.advances[1], 0);
    // Wrapped within 72 less the margins, the second paragraph below.
    const std::vector<PlacedLine>& lines = layout.cells[9].content.lines;
    ASSERT_GE(lines.size(), 4u);
    for (const PlacedLine& line : lines) EXPECT_LE(line.width, 72 - 10.8 + 1e-6);
    EXPECT_EQ(lines.back().spans.at(0).text, u"second");
    EXPECT_NEAR(layout.rowHeightsPt[3], static_cast<double>(lines.size()) * lineHeight(10), 1e-9);

    EXPECT_DOUBLE_EQ(tableNaturalSize(table).heightPt, layout.heightPt);
}

TEST(TablePreview, WithoutAGridTextSpansAndPreferredWidthsSizeTheColumns)
{
    DocxTable table;
    DocxCell spanning = cell("a long heading over two columns");
    spanning.gridSpan = 2;
    spanning.verticalMerge = DocxVerticalMerge::Restart;
    DocxCell continued = cell("");
    continued.gridSpan = 2;
    continued.verticalMerge = DocxVerticalMerge::Continue;
    DocxCell preferred = cell("x");
    preferred.widthPt = 100;
    table.rows.push_back({{spanning, cell("a much longer cell text")}});
    table.rows.push_back({{continued, preferred}});
    table.rows.push_back({{cell("a"), cell("b"), cell("c", 20)}});
    TableLayout layout = layoutTable(table);
    ASSERT_EQ(layout.columnWidthsPt.size(), 3u);
    const double heading = textWidth("a long heading over two columns") + 10.8;
    EXPECT_NEAR(layout.columnWidthsPt[0] + layout.columnWidthsPt[1], heading, 1e-6);
    EXPECT_NEAR(layout.columnWidthsPt[2], std::max(100.0, textWidth("a much longer cell text") + 10.8), 1e-6);
    EXPECT_NEAR(layout.rowHeightsPt[0], lineHeight(10), 1e-9);
    EXPECT_NEAR(layout.rowHeightsPt[2], lineHeight(20), 1e-9);
    ASSERT_EQ(layout.cells.size(), 7u);
    EXPECT_FALSE(layout.cells[0].bottomEdge);  // the merge goes on below
    EXPECT_FALSE(layout.cells[2].topEdge);
    EXPECT_EQ(layout.cells[2].span, 2);
    EXPECT_DOUBLE_EQ(layout.cells[3].x, layout.columnWidthsPt[0] + layout.columnWidthsPt[1]);

    DocxTable empty;
    EXPECT_DOUBLE_EQ(layoutTable(empty).widthPt, 0);
    EXPECT_GT(drawTablePreview(empty).widthPt, 0);  // still a visible picture
    empty.rows.push_back({{cell("")}});
    EXPECT_GT(layoutTable(empty).heightPt, 5);  // a row without text takes a line
}

// --- The tables the Word stand-in writes ---

word::DocumentBuilder tableOf(const std::vector<std::vector<std::string>>& rows, int fontSize = 12)
{
    word::DocumentBuilder b;
    b.setFontSize(fontSize);
    b.startTable();
    for (const auto& row : rows) {
        b.addRow();
        for (const auto& text : row) {
            b.addCell();
            b.insertText(text);
        }
    }
    b.endTable();
    return b;
}


namespace layout = word::layout;

TEST(WordTables, ColumnsFollowTheirContentAndThePageFitsTheTable)
{
    word::DocumentBuilder b = tableOf({{"a", "a much longer piece of text", ""}, {"bb", "x", ""}}, 12);
    word::DocumentLayout result = word::layOutDocument(b.content());
    const auto& columns = result.tables.at(0).columnWidths;
    ASSERT_EQ(columns.size(), 3u);
    double longText = textWidth("a much longer piece of text", 12);
    EXPECT_GT(columns[1], longText + 2 * layout::cellMargin);
    EXPECT_LT(columns[1], longText * 1.1 + 2 * layout::cellMargin + 3);
    EXPECT_LT(columns[0], columns[1] / 3);
    EXPECT_NEAR(columns[2], layout::emptyColumnWidth * 1.02 + 1 + 2 * layout::cellMargin + layout::borderWidth, 0.05);
    EXPECT_NEAR(result.pageWidth, result.tables[0].width() + 2 * layout::pageMargin, 0.01);
    double rows = 2 * 12 * 1.117;
    EXPECT_GT(result.pageHeight, rows + 2 * layout::pageMargin);
    EXPECT_LT(result.pageHeight, rows * 1.2 + 2 * layout::pageMargin + 10);

    // Rows taller than their text count.
    word::DocumentBuilder tall;
    tall.startTable();
    tall.setRowHeight(100);
    for (const char* text : {"x", "y"}) {
        tall.addRow();
        tall.addCell();
        tall.insertText(text);
    }
    const double low = word::layOutDocument(tableOf({{"x"}, {"y"}}).content()).pageHeight;
    EXPECT_GT(word::layOutDocument(tall.content()).pageHeight - low, 2 * (100 - 15));

    word::DocumentLayout nothing = word::layOutDocument(word::DocumentBuilder().content());
    EXPECT_GE(nothing.pageWidth, layout::smallestPageWidth);
    EXPECT_GE(nothing.pageHeight, layout::smallestPageHeight);
    EXPECT_TRUE(nothing.tables.empty());
}

// Word's automatic fit: the columns share the text width of its default
// page (Letter less 1.25-inch side margins), so a landscape table fits a
// slide at its usual place, x 80 of 720.
TEST(WordTables, WideTablesWrapWithinTheDefaultPagesTextWidth)
{
    std::string longText;
    for (int i = 0; i < 80; ++i) longText += "word ";
    word::DocumentBuilder b = tableOf({{"Name", "Code", longText, "Price"}});
    word::DocumentLayout portrait = word::layOutDocument(b.content());
    EXPECT_NEAR(portrait.tables[0].width(), 432.0, 1.0);
    b.setOrientation(word::Orientation::Landscape);
    word::DocumentLayout landscape = word::layOutDocument(b.content());
    EXPECT_NEAR(landscape.tables[0].width(), 612.0, 1.0);
    EXPECT_NEAR(landscape.pageWidth, 612.0 + 2 * layout::pageMargin, 1.0);
    // The short columns keep their words whole; the long one wraps.
    EXPECT_GT(landscape.tables[0].columnWidths[0], textWidth("Name", 12));
    EXPECT_GT(landscape.tables[0].columnWidths[3], textWidth("Price", 12));
    EXPECT_LT(landscape.pageHeight, portrait.pageHeight);  // wider columns, fewer lines
    EXPECT_TRUE(landscape.landscape);

    // Huge content stays within a page size Word accepts.
    word::DocumentBuilder huge = tableOf({{std::string(200000, 'x'), "y"}, {"z", std::string(5000, ' ')}});
    for (int i = 0; i < 500; ++i) huge.insertText("line\n");
    word::DocumentLayout big = word::layOutDocument(huge.content());
    EXPECT_LE(big.pageWidth, layout::largestPageSide);
    EXPECT_LE(big.pageHeight, layout::largestPageSide);
}

TEST(WordTables, PicturesShrinkToTheirCellButNeverGrow)
{
    // 960 x 480 pixels: 720 x 360 points
    word::Image big = *word::imageFromBytes(wordtest::patched(wordtest::picture("header-192x96.gif"), 6, "\xC0\x03\xE0\x01"));
    word::Extent fitted = word::fitPicture(big, 144.0);
    EXPECT_DOUBLE_EQ(fitted.width, 144.0);
    EXPECT_DOUBLE_EQ(fitted.height, 72.0);
    EXPECT_DOUBLE_EQ(word::fitPicture(*word::imageFromBytes(wordtest::picture("gradient-8x8.png")), 144.0).width, 6.0);

    word::DocumentBuilder b;
    b.startTable();
    b.addRow();
    b.addCell();
    b.insertPicture(big);
    b.addCell();
    b.insertText("label");
    word::DocumentLayout result = word::layOutDocument(b.content());
    // A picture widens its column only so far.
    EXPECT_LT(result.tables[0].columnWidths[0], layout::pictureColumnWidth * 1.05 + 2 * layout::cellMargin + 2);
    EXPECT_GT(result.pageHeight, 60.0);
}

}  // namespace
