// A table's natural size: columns from the grid, the cells' widths or their
// text; rows from their height rule or their text at its font sizes.
#include <gtest/gtest.h>

#include "media/Preview.h"
#include "media/TableLayout.h"

using namespace pptmedia;

namespace {

DocxCell cell(const std::string& text, double sizePt = 10, const std::string& font = "Liberation Sans")
{
    DocxCell c;
    DocxParagraph p;
    if (!text.empty()) p.runs.push_back({text, font, sizePt});
    p.mark.sizePt = sizePt;
    p.mark.fontName = font;
    c.paragraphs.push_back(p);
    return c;
}

DocxRow row(std::vector<DocxCell> cells, double heightPt = 0, DocxHeightRule rule = DocxHeightRule::Auto)
{
    return {std::move(cells), heightPt, rule};
}

double lineHeight(double sizePt, const std::string& font = "Liberation Sans")
{
    TextMeasure measure;
    return measure.metrics({font, sizePt}).lineHeightPt;
}

}  // namespace

TEST(TableLayout, GridColumnsAndHeightRulesGiveTheSize)
{
    DocxTable table;
    table.gridColumnsPt = {72, 144, 36};
    table.rows.push_back(row({cell("a"), cell("b"), cell("c")}, 30, DocxHeightRule::AtLeast));
    table.rows.push_back(row({cell("a"), cell("b"), cell("c")}, 12, DocxHeightRule::Exact));
    table.rows.push_back(row({cell("a", 24), cell("b"), cell("c")}, 5, DocxHeightRule::AtLeast));
    TextMeasure measure;
    TableLayout layout = layoutTable(table, measure);
    EXPECT_EQ(layout.columnWidthsPt, (std::vector<double>{72, 144, 36}));
    EXPECT_DOUBLE_EQ(layout.widthPt, 252);
    EXPECT_DOUBLE_EQ(layout.rowHeightsPt[0], 30);  // at least 30, the text needs less
    EXPECT_DOUBLE_EQ(layout.rowHeightsPt[1], 12);  // exactly 12, whatever the text
    EXPECT_NEAR(layout.rowHeightsPt[2], lineHeight(24), 1e-9);  // the text needs more than 5
    EXPECT_NEAR(layout.heightPt, 42 + lineHeight(24), 1e-9);

    TableSize size = tableNaturalSize(table);
    EXPECT_DOUBLE_EQ(size.widthPt, layout.widthPt);
    EXPECT_DOUBLE_EQ(size.heightPt, layout.heightPt);
}

TEST(TableLayout, WithoutAGridColumnsFitTheirText)
{
    DocxTable table;
    table.rows.push_back(row({cell("x"), cell("a much longer cell text")}));
    table.rows.push_back(row({cell("y"), cell("short")}));
    TextMeasure measure;
    TableLayout layout = layoutTable(table, measure);
    double margins = table.cellMargins.leftPt + table.cellMargins.rightPt;
    EXPECT_NEAR(layout.columnWidthsPt[1], measure.width("a much longer cell text", {"Liberation Sans", 10}) + margins, 1e-6);
    EXPECT_LT(layout.columnWidthsPt[0], layout.columnWidthsPt[1]);
    // Row height: the font's line plus the cell margins (none at top and bottom by default).
    EXPECT_NEAR(layout.rowHeightsPt[0], lineHeight(10), 1e-9);

    // Larger type: wider and taller.
    DocxTable larger;
    larger.rows.push_back(row({cell("x", 20), cell("a much longer cell text", 20)}));
    TableLayout big = layoutTable(larger, measure);
    EXPECT_GT(big.widthPt, layout.widthPt * 1.8);
    EXPECT_NEAR(big.rowHeightsPt[0], lineHeight(20), 1e-9);

    // The cell's own preferred width wins over its text.
    DocxTable preferred;
    DocxCell wide = cell("x");
    wide.widthPt = 100;
    preferred.rows.push_back(row({wide}));
    EXPECT_DOUBLE_EQ(layoutTable(preferred, measure).widthPt, 100);
}

TEST(TableLayout, TextWrapsInNarrowColumnsAndParagraphsStack)
{
    DocxTable table;
    table.gridColumnsPt = {60};
    table.rows.push_back(row({cell("one two three four five six seven eight nine ten")}));
    DocxCell twoParagraphs = cell("first");
    twoParagraphs.paragraphs.push_back(cell("second").paragraphs[0]);
    table.rows.push_back(row({twoParagraphs}));
    TextMeasure measure;
    TableLayout layout = layoutTable(table, measure);
    EXPECT_GT(layout.rowHeightsPt[0], 3 * lineHeight(10));
    EXPECT_NEAR(layout.rowHeightsPt[1], 2 * lineHeight(10), 1e-9);
    for (const PlacedLine& line : layout.cells[0].content.lines)
        EXPECT_LE(line.width, 60 - table.cellMargins.leftPt - table.cellMargins.rightPt + 1e-6);
}

TEST(TableLayout, SpansAndMergesKeepTheGrid)
{
    DocxTable table;
    DocxCell spanning = cell("a long heading over two columns");
    spanning.gridSpan = 2;
    spanning.verticalMerge = DocxVerticalMerge::Restart;
    DocxCell continued = cell("");
    continued.gridSpan = 2;
    continued.verticalMerge = DocxVerticalMerge::Continue;
    table.rows.push_back(row({spanning, cell("z")}));
    table.rows.push_back(row({continued, cell("z")}));
    table.rows.push_back(row({cell("a"), cell("b"), cell("c")}));
    TextMeasure measure;
    TableLayout layout = layoutTable(table, measure);
    ASSERT_EQ(layout.columnWidthsPt.size(), 3u);
    double heading = measure.width("a long heading over two columns", {"Liberation Sans", 10}) + 10.8;
    EXPECT_NEAR(layout.columnWidthsPt[0] + layout.columnWidthsPt[1], heading, 1e-6);
    ASSERT_EQ(layout.cells.size(), 7u);
    EXPECT_FALSE(layout.cells[0].bottomEdge);  // the merge goes on below
    EXPECT_FALSE(layout.cells[2].topEdge);
    EXPECT_EQ(layout.cells[2].span, 2);
    EXPECT_DOUBLE_EQ(layout.cells[3].x, layout.columnWidthsPt[0] + layout.columnWidthsPt[1]);
}

TEST(TableLayout, EmptyTablesHaveNoSizeButAPreview)
{
    DocxTable table;
    TextMeasure measure;
    EXPECT_DOUBLE_EQ(layoutTable(table, measure).widthPt, 0);
    Preview preview = drawTablePreview(table);
    EXPECT_GT(preview.widthPt, 0);
    EXPECT_FALSE(preview.emf.empty());

    // A row without text still takes a line.
    table.rows.push_back(row({cell("")}));
    EXPECT_GT(layoutTable(table, measure).heightPt, 5);
}
