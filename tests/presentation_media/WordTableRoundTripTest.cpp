// What the Word back-end writes for a table is read back whole, and its
// preview and natural size follow from it.
#include <gtest/gtest.h>

#include "DocumentBuilder.h"
#include "DocxWriter.h"
#include "TestFiles.h"
#include "common/TestEnv.h"
#include "media/EmfRecords.h"
#include "media/DocxTableReader.h"
#include "media/ObjectPreview.h"

using namespace pptmedia;

TEST(WordTableRoundTrip, TheWordBackEndsTableIsReadBack)
{
    word::DocumentBuilder builder;
    builder.startTable();
    builder.setFontName("Arial");
    builder.setFontSize(16);
    builder.setRowHeight(20);
    for (int r = 0; r < 3; ++r) {
        builder.addRow();
        for (int c = 0; c < 4; ++c) {
            builder.addCell();
            if (c == 1) builder.setFontAttribute(1, true);
            builder.insertText("R" + std::to_string(r) + "C" + std::to_string(c));
            if (c == 1) builder.setFontAttribute(1, false);
        }
    }
    builder.endTable();
    testenv::TempDir dir;
    ASSERT_FALSE(word::saveDocx(builder.content(), dir / "abctabxyz.doc", 0));

    DocxTable table = readFirstDocxTable(dir / "abctabxyz.doc", "abctabxyz.doc");
    ASSERT_EQ(table.rows.size(), 3u);
    EXPECT_EQ(table.columnCount(), 4u);
    for (int r = 0; r < 3; ++r) {
        ASSERT_EQ(table.rows[r].cells.size(), 4u);
        EXPECT_GE(table.rows[r].heightPt, 20);
        for (int c = 0; c < 4; ++c) {
            const DocxCell& cell = table.rows[r].cells[c];
            EXPECT_EQ(cell.text(), "R" + std::to_string(r) + "C" + std::to_string(c));
            const DocxRun& run = cell.paragraphs.at(0).runs.at(0);
            EXPECT_EQ(run.fontName, "Arial");
            EXPECT_DOUBLE_EQ(run.sizePt, 16);
            EXPECT_EQ(run.bold, c == 1);
        }
    }

    EmbeddedObject object = describeEmbeddedFile(dir / "abctabxyz.doc", "abctabxyz.doc");
    EXPECT_EQ(object.progId, "Word.Document.12");
    TableSize size = tableNaturalSize(table);
    EXPECT_DOUBLE_EQ(object.preview.widthPt, size.widthPt);
    EXPECT_GE(size.heightPt, 60);
    EXPECT_GT(size.widthPt, 4 * 30.0);
}

// A picture in a cell is drawn in the table's preview, not stood in for.
TEST(WordTableRoundTrip, APictureInACellShowsInThePreview)
{
    word::DocumentBuilder builder;
    builder.startTable();
    builder.addRow();
    builder.addCell();
    builder.insertText("Logo");
    builder.addCell();
    Bytes png = mediatest::pngPicture(48, 24);
    builder.insertPicture(*word::imageFromBytes(std::string(png.begin(), png.end())));
    builder.endTable();
    testenv::TempDir dir;
    ASSERT_FALSE(word::saveDocx(builder.content(), dir / "abctabxyz.doc", 0));

    Bytes emf = describeEmbeddedFile(dir / "abctabxyz.doc", "abctabxyz.doc").preview.emf;
    int bitmaps = 0;
    for (const mediatest::EmfRecord& r : mediatest::emfRecords(emf)) {
        if (r.type != emf::EMR_STRETCHDIBITS) continue;
        ++bitmaps;
        const std::size_t info = r.at + mediatest::le32(emf, r.at + 48);
        EXPECT_EQ(mediatest::le32(emf, info + 4), 48u);  // its own pixels: shown at 36 x 18 points, no larger than it is
        EXPECT_EQ(mediatest::le32(emf, info + 8), 24u);
    }
    EXPECT_EQ(bitmaps, 1);
}
