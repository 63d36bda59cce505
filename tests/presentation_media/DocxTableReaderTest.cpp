// Tables of Word documents are read with their texts, formatting and sizes.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "TestFiles.h"
#include "common/TestEnv.h"
#include "media/DocxTableReader.h"

using namespace pptmedia;
using namespace mediatest;

namespace {

// Every field read, a line per table, row, cell, paragraph and run, against
// tests/presentation_media/expected/<name>.txt.
void expectRecordedTables(const DocxDocument& document, const std::string& name)
{
    std::ostringstream out;
    const auto run = [&](const DocxRun& r) {
        out << std::regex_replace(r.text, std::regex("\n"), "\\n") << "{" << r.fontName << " " << r.sizePt << (r.bold ? " b" : "")
            << (r.italic ? " i" : "") << (r.underline ? " u" : "") << (r.strike ? " s" : "") << "}";
    };
    out << "default " << document.defaultFontName << " " << document.defaultSizePt << "\n";
    for (const DocxTable& table : document.tables) {
        const DocxCellMargins& m = table.cellMargins;
        out << "table of " << table.columnCount() << " grid";
        for (double w : table.gridColumnsPt) out << " " << w;
        out << " margins " << m.leftPt << "," << m.topPt << "," << m.rightPt << "," << m.bottomPt << "\n";
        for (const DocxRow& row : table.rows) {
            out << " row " << row.heightPt << " rule " << static_cast<int>(row.heightRule) << "\n";
            for (const DocxCell& cell : row.cells)
                for (const DocxParagraph& p : cell.paragraphs) {
                    out << (&p == &cell.paragraphs.front() ? "  cell " : "       ") << cell.widthPt << " span " << cell.gridSpan
                        << " merge " << static_cast<int>(cell.verticalMerge) << " | align " << static_cast<int>(p.alignment)
                        << " after " << p.spaceAfterPt << " line " << p.lineSpacing << " mark ";
                    run(p.mark);
                    for (const DocxPicture& picture : p.pictures) out << " picture " << picture.widthPt << "x" << picture.heightPt;
                    for (const DocxRun& r : p.runs) {
                        out << " ";
                        run(r);
                    }
                    out << "\n";
                }
        }
    }
    testenv::expectRecorded(out.str(), std::filesystem::path(ORVEL_SOURCE_DIR) / "tests/presentation_media/expected" / (name + ".txt"));
}

}  // namespace

// A 3 x 4 table of texts, fonts, sizes and alignments in a document whose
// name says nothing about its format; defaults and styles resolved (Normal
// overrides the document default, w:val="0" switches a style's bold off,
// runs in a hyperlink keep the paragraph's style, the mark sizes an empty
// paragraph); spans, merges, a picture and a second table; and a table
// LibreOffice wrote.
TEST(DocxTableReader, ReadsTablesWithTheirTextsFormatsAndSizes)
{
    testenv::TempDir dir;
    const std::pair<std::string, Bytes> documents[] = {
        {"three-by-four", docxDocument(dataFile("docx/three-by-four.xml"))},
        {"styled", docxDocument(dataFile("docx/styled-body.xml"), dataFile("docx/styled-styles.xml"))},
        {"merged", docxDocument(dataFile("docx/merged.xml"))},
    };
    for (const auto& [name, bytes] : documents) {
        testenv::writeFile(dir / "abctabxyz.doc", asString(bytes));
        EXPECT_TRUE(isWordprocessingPackage(dir / "abctabxyz.doc"));
        expectRecordedTables(readDocxTables(dir / "abctabxyz.doc", "abctabxyz.doc"), "docx-" + name);
    }
    expectRecordedTables(readDocxTables(kSamples / "lo-doc.docx", "lo-doc.docx"), "docx-lo-doc");
}

TEST(DocxTableReader, RefusesWhatHoldsNoTable)
{
    testenv::TempDir dir;
    testenv::writeFile(dir / "none.docx", asString(docxDocument("<w:p><w:r><w:t>text</w:t></w:r></w:p>")));
    Refusal none = refusal([&] { readFirstDocxTable(dir / "none.docx", "none.docx"); });
    EXPECT_EQ(none.kind, MediaErrorKind::NoTable);
    EXPECT_NE(none.message.find("'none.docx'"), std::string::npos);
    EXPECT_FALSE(isWordprocessingPackage(kSamples / "lo-deck.pptx"));
    EXPECT_FALSE(isWordprocessingPackage(dir / "missing.docx"));
    EXPECT_THROW(readDocxTables(kSamples / "lo-deck.pptx", "lo-deck.pptx"), MediaError);
}
