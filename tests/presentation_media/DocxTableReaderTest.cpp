// Tables of Word documents are read with their texts, formatting and sizes.
#include <gtest/gtest.h>

#include "TestFiles.h"
#include "common/TestEnv.h"
#include "media/DocxTableReader.h"

using namespace pptmedia;
using namespace mediatest;

TEST(DocxTableReader, ReadsAThreeByFourTableWithTextsAndSizes)
{
    testenv::TempDir dir;
    // The table document's name says nothing about its format.
    testenv::writeFile(dir / "abctabxyz.doc", asString(docxDocument(dataFile("docx/three-by-four.xml"))));
    EXPECT_TRUE(isWordprocessingPackage(dir / "abctabxyz.doc"));
    DocxTable table = readFirstDocxTable(dir / "abctabxyz.doc", "abctabxyz.doc");

    ASSERT_EQ(table.rows.size(), 3u);
    EXPECT_EQ(table.columnCount(), 4u);
    EXPECT_EQ(table.gridColumnsPt, (std::vector<double>{72, 144, 72, 36}));
    EXPECT_DOUBLE_EQ(table.cellMargins.leftPt, 5);
    EXPECT_DOUBLE_EQ(table.cellMargins.topPt, 0);
    for (int r = 0; r < 3; ++r) {
        const DocxRow& row = table.rows[r];
        EXPECT_DOUBLE_EQ(row.heightPt, 20.0 * (r + 1));
        EXPECT_EQ(row.heightRule, r == 2 ? DocxHeightRule::Exact : DocxHeightRule::AtLeast);
        ASSERT_EQ(row.cells.size(), 4u);
        for (int c = 0; c < 4; ++c) {
            const DocxCell& cell = row.cells[c];
            EXPECT_EQ(cell.text(), "R" + std::to_string(r + 1) + "C" + std::to_string(c + 1));
            EXPECT_DOUBLE_EQ(cell.widthPt, 72);
            ASSERT_EQ(cell.paragraphs.size(), 1u);
            const DocxRun& run = cell.paragraphs[0].runs.at(0);
            EXPECT_EQ(run.fontName, "Arial");
            EXPECT_DOUBLE_EQ(run.sizePt, 8 + 2 * (r + 1));
            EXPECT_EQ(run.bold, r == 0);
            EXPECT_EQ(run.italic, c == 3);
            EXPECT_EQ(run.underline, c == 3);
            EXPECT_EQ(run.strike, r == 1 && c == 0);
        }
        EXPECT_EQ(row.cells[0].paragraphs[0].alignment, DocxAlignment::Left);
        EXPECT_EQ(row.cells[1].paragraphs[0].alignment, DocxAlignment::Centre);
        EXPECT_EQ(row.cells[2].paragraphs[0].alignment, DocxAlignment::Right);
    }
}

TEST(DocxTableReader, ResolvesDefaultsStylesAndOnOffValues)
{
    testenv::TempDir dir;
    testenv::writeFile(dir / "s.docx", asString(docxDocument(dataFile("docx/styled-body.xml"), dataFile("docx/styled-styles.xml"))));
    DocxDocument document = readDocxTables(dir / "s.docx", "s.docx");
    EXPECT_EQ(document.defaultFontName, "Courier New");
    EXPECT_DOUBLE_EQ(document.defaultSizePt, 12);
    const auto& paragraphs = document.tables.at(0).rows.at(0).cells.at(0).paragraphs;
    ASSERT_EQ(paragraphs.size(), 3u);

    const DocxRun& plain = paragraphs[0].runs.at(0);
    EXPECT_EQ(plain.fontName, "Courier New");
    EXPECT_DOUBLE_EQ(plain.sizePt, 12);  // Normal overrides the document default
    EXPECT_DOUBLE_EQ(paragraphs[0].spaceAfterPt, 8);
    EXPECT_DOUBLE_EQ(paragraphs[0].lineSpacing, 1.15);

    const DocxParagraph& head = paragraphs[1];
    EXPECT_EQ(head.alignment, DocxAlignment::Justify);  // from the style it is based on
    ASSERT_EQ(head.runs.size(), 3u);
    EXPECT_EQ(head.runs[0].text, "head ");
    EXPECT_DOUBLE_EQ(head.runs[0].sizePt, 16);
    EXPECT_FALSE(head.runs[0].bold);  // w:val="0" switches the style's bold off
    EXPECT_TRUE(head.runs[0].italic);
    EXPECT_TRUE(head.runs[1].bold);   // runs inside a hyperlink keep the paragraph style
    EXPECT_EQ(head.runs[1].text, "link");
    EXPECT_EQ(head.runs[2].text, "\tx\ny");
    EXPECT_EQ(head.text(), "head link\tx\ny");

    EXPECT_TRUE(paragraphs[2].runs.empty());
    EXPECT_DOUBLE_EQ(paragraphs[2].mark.sizePt, 20);  // the mark sizes the empty paragraph
}

TEST(DocxTableReader, ReadsSpansMergesPicturesAndSeveralTables)
{
    testenv::TempDir dir;
    testenv::writeFile(dir / "m.docx", asString(docxDocument(dataFile("docx/merged.xml"))));
    DocxDocument document = readDocxTables(dir / "m.docx", "m.docx");
    ASSERT_EQ(document.tables.size(), 2u);
    const DocxTable& first = document.tables[0];
    EXPECT_EQ(first.columnCount(), 3u);
    EXPECT_EQ(first.rows[0].cells[0].gridSpan, 2);
    EXPECT_EQ(first.rows[0].cells[0].verticalMerge, DocxVerticalMerge::Restart);
    EXPECT_EQ(first.rows[1].cells[0].verticalMerge, DocxVerticalMerge::Continue);
    const auto& pictures = first.rows[0].cells[0].paragraphs[0].pictures;
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_DOUBLE_EQ(pictures[0].widthPt, 100);
    EXPECT_DOUBLE_EQ(pictures[0].heightPt, 50);
    EXPECT_EQ(document.tables[1].rows[0].cells[0].text(), "second");
}

TEST(DocxTableReader, ReadsWhatLibreOfficeWritesAndRefusesWhatHoldsNoTable)
{
    DocxTable table = readFirstDocxTable(kSamples / "lo-doc.docx", "lo-doc.docx");
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.rows[0].cells[0].text(), "A1");
    EXPECT_EQ(table.rows[1].cells[1].text(), "B2");
    EXPECT_NEAR(table.gridColumnsPt.at(0), 240.9, 0.01);
    EXPECT_DOUBLE_EQ(table.cellMargins.leftPt, 0);

    testenv::TempDir dir;
    testenv::writeFile(dir / "none.docx", asString(docxDocument("<w:p><w:r><w:t>text</w:t></w:r></w:p>")));
    Refusal none = refusal([&] { readFirstDocxTable(dir / "none.docx", "none.docx"); });
    EXPECT_EQ(none.kind, MediaErrorKind::NoTable);
    EXPECT_NE(none.message.find("'none.docx'"), std::string::npos);
    EXPECT_FALSE(isWordprocessingPackage(kSamples / "lo-deck.pptx"));
    EXPECT_FALSE(isWordprocessingPackage(dir / "missing.docx"));
    EXPECT_THROW(readDocxTables(kSamples / "lo-deck.pptx", "lo-deck.pptx"), MediaError);
}
