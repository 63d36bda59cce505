// Column widths from the content, pictures fitted to their cells, and a page
// just large enough for the table.
#include <gtest/gtest.h>

#include "DocumentBuilder.h"
#include "DocumentLayout.h"
#include "TestImages.h"

using namespace word;

namespace {

DocumentBuilder tableOf(const std::vector<std::vector<std::string>>& rows, int fontSize = 12)
{
    DocumentBuilder b;
    b.setFontSize(fontSize);
    b.startTable();
    for (const auto& row : rows) {
        b.addRow();
        for (const auto& cell : row) {
            b.addCell();
            b.insertText(cell);
        }
    }
    b.endTable();
    return b;
}

}  // namespace

class DocumentLayoutTest : public ::testing::Test {
protected:
    TextMeasure measure;
};

TEST_F(DocumentLayoutTest, MeasuresWithRealFontMetrics)
{
    RunFormat arial;
    arial.halfPoints = 20;
    // Liberation Sans (Arial's metrics): "W" is 0.944 em, "i" 0.222 em.
    EXPECT_NEAR(measure.width(arial, "W"), 9.44, 0.05);
    EXPECT_NEAR(measure.width(arial, "iiii"), 8.89, 0.05);
    EXPECT_NEAR(measure.lineHeight(arial), 11.17, 0.2);
    RunFormat bold = arial;
    bold.bold = true;
    EXPECT_GT(measure.width(bold, "Table"), measure.width(arial, "Table"));
    RunFormat unknown = arial;
    unknown.fontName = "No Such Font At All";  // substituted, still measured
    EXPECT_GT(measure.width(unknown, "Table"), 10.0);
}

TEST_F(DocumentLayoutTest, ColumnsFollowTheirWidestContent)
{
    DocumentBuilder b = tableOf({{"a", "a much longer piece of text", ""}, {"bb", "x", ""}});
    DocumentLayout layout = layOutDocument(b.content(), measure);
    ASSERT_EQ(layout.tables.size(), 1u);
    const auto& columns = layout.tables[0].columnWidths;
    ASSERT_EQ(columns.size(), 3u);
    RunFormat f;
    double longText = measure.width(f, "a much longer piece of text");
    EXPECT_GT(columns[1], longText + 2 * layout::cellMargin);
    EXPECT_LT(columns[1], longText * 1.1 + 2 * layout::cellMargin + 3);
    EXPECT_LT(columns[0], columns[1] / 3);
    EXPECT_NEAR(columns[2], layout::emptyColumnWidth * 1.02 + 1 + 2 * layout::cellMargin + layout::borderWidth, 0.05);
}

TEST_F(DocumentLayoutTest, PageFitsTheTableWithSmallMargins)
{
    DocumentBuilder b = tableOf({{"one", "two"}, {"three", "four"}}, 16);
    DocumentLayout layout = layOutDocument(b.content(), measure);
    double tableWidth = layout.tables[0].width();
    EXPECT_NEAR(layout.pageWidth, std::max(tableWidth, layout::smallestPageWidth - 2 * layout::pageMargin) +
                                      2 * layout::pageMargin, 0.01);
    RunFormat f;
    f.halfPoints = 32;
    double rows = 2 * measure.lineHeight(f);
    EXPECT_GT(layout.pageHeight, rows + 2 * layout::pageMargin);
    EXPECT_LT(layout.pageHeight, rows * 1.2 + 2 * layout::pageMargin + 10);
}

TEST_F(DocumentLayoutTest, RowHeightsCountWhenTallerThanTheText)
{
    DocumentBuilder low = tableOf({{"x"}, {"y"}});
    DocumentBuilder tall;
    tall.startTable();
    tall.setRowHeight(100);
    for (const char* text : {"x", "y"}) {
        tall.addRow();
        tall.addCell();
        tall.insertText(text);
    }
    double lowHeight = layOutDocument(low.content(), measure).pageHeight;
    double tallHeight = layOutDocument(tall.content(), measure).pageHeight;
    EXPECT_GT(tallHeight - lowHeight, 2 * (100 - 15) * 1.0);
}

// Word's automatic fit: the columns share the text width of its default
// page (Letter less 1.25-inch side margins), so a landscape table fits a
// slide at its usual place, x 80 of 720.
TEST_F(DocumentLayoutTest, WideTablesWrapWithinTheDefaultPagesTextWidth)
{
    std::string longText;
    for (int i = 0; i < 80; ++i) longText += "word ";
    DocumentBuilder b = tableOf({{"Name", "Code", longText, "Price"}});
    DocumentLayout portrait = layOutDocument(b.content(), measure);
    EXPECT_NEAR(portrait.tables[0].width(), 432.0, 1.0);
    b.setOrientation(Orientation::Landscape);
    DocumentLayout landscape = layOutDocument(b.content(), measure);
    EXPECT_NEAR(landscape.tables[0].width(), 612.0, 1.0);
    EXPECT_NEAR(landscape.pageWidth, 612.0 + 2 * layout::pageMargin, 1.0);
    // The short columns keep their words whole; the long one wraps.
    const std::vector<double>& columns = landscape.tables[0].columnWidths;
    EXPECT_GT(columns[0], measure.width(RunFormat{}, "Name"));
    EXPECT_GT(columns[3], measure.width(RunFormat{}, "Price"));
    EXPECT_LT(landscape.pageHeight, portrait.pageHeight);  // wider columns, fewer lines
    EXPECT_TRUE(landscape.landscape);
}

TEST_F(DocumentLayoutTest, HugeContentStaysWithinAPageSizeWordAccepts)
{
    std::string huge(200000, 'x');
    DocumentBuilder b = tableOf({{huge, "y"}, {"z", std::string(5000, ' ')}});
    for (int i = 0; i < 500; ++i) b.insertText("line\n");
    DocumentLayout layout = layOutDocument(b.content(), measure);
    EXPECT_LE(layout.pageWidth, layout::largestPageSide);
    EXPECT_LE(layout.pageHeight, layout::largestPageSide);
    EXPECT_GE(layout.pageHeight, layout::smallestPageHeight);
}

TEST_F(DocumentLayoutTest, PicturesShrinkToTheirCellButNeverGrow)
{
    Image big = *imageFromBytes(wordtest::makePng(960, 480));  // 720 x 360 points
    Extent fitted = fitPicture(big, 144.0);
    EXPECT_DOUBLE_EQ(fitted.width, 144.0);
    EXPECT_DOUBLE_EQ(fitted.height, 72.0);
    Image small = *imageFromBytes(wordtest::makePng(32, 16));
    EXPECT_DOUBLE_EQ(fitPicture(small, 144.0).width, 24.0);

    DocumentBuilder b;
    b.startTable();
    b.addRow();
    b.addCell();
    b.insertPicture(big);
    b.addCell();
    b.insertText("label");
    DocumentLayout layout = layOutDocument(b.content(), measure);
    // A picture widens its column only so far.
    EXPECT_LT(layout.tables[0].columnWidths[0], layout::pictureColumnWidth * 1.05 + 2 * layout::cellMargin + 2);
    EXPECT_GT(layout.pageHeight, 60.0);
}

TEST_F(DocumentLayoutTest, EmptyDocumentStillHasAPage)
{
    DocumentBuilder b;
    DocumentLayout layout = layOutDocument(b.content(), measure);
    EXPECT_GE(layout.pageWidth, layout::smallestPageWidth);
    EXPECT_GE(layout.pageHeight, layout::smallestPageHeight);
    EXPECT_TRUE(layout.tables.empty());
}
