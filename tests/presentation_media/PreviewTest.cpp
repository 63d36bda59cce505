// Previews are well-formed EMF pictures of the right size holding the
// texts they show; embedded files get the program id their content asks for.
#include <gtest/gtest.h>

#include "TestFiles.h"
#include "common/TestEnv.h"
#include "media/EmfRecords.h"
#include "media/EmfWriter.h"
#include "media/ObjectPreview.h"
#include "media/PictureSniffer.h"
#include "media/Preview.h"
#include "template/PptxReader.h"

using namespace pptmedia;
using namespace mediatest;

namespace {

void expectPictureOfSize(const Preview& preview)
{
    PictureInfo info = sniffPicture(preview.emf, "preview.emf");
    EXPECT_EQ(info.format, PictureFormat::Emf);
    EXPECT_NEAR(info.naturalWidthPt(), preview.widthPt, 0.05);
    EXPECT_NEAR(info.naturalHeightPt(), preview.heightPt, 0.05);
}

// Each text record of an EMF: its text and the x of its reference point, in points.
std::vector<std::pair<std::u16string, double>> emfTexts(const Bytes& emf)
{
    std::vector<std::pair<std::u16string, double>> texts;
    for (const EmfRecord& r : emfRecords(emf)) {
        if (r.type != emf::EMR_EXTTEXTOUTW) continue;
        std::u16string text;
        for (std::uint32_t i = 0, from = le32(emf, r.at + 48); i < le32(emf, r.at + 44); ++i)
            text += static_cast<char16_t>(emf[r.at + from + 2 * i] | emf[r.at + from + 2 * i + 1] << 8);
        texts.emplace_back(text, static_cast<std::int32_t>(le32(emf, r.at + 36)) / EmfWriter::kUnitsPerPoint);
    }
    return texts;
}

}  // namespace

TEST(Preview, PresentationShowsTheFirstSlidesTextsOnASlideShape)
{
    PptxDeck deck = readPresentation(kSamples / "lo-deck.pptx", "lo-deck.pptx");
    Preview preview = drawPresentationPreview(deck);
    EXPECT_NEAR(preview.widthPt / preview.heightPt, deck.slideWidthPt / deck.slideHeightPt, 1e-9);
    expectPictureOfSize(preview);
    EXPECT_TRUE(containsUtf16(preview.emf, "Validation"));
    EXPECT_TRUE(containsUtf16(preview.emf, "LibreOffice"));
    EXPECT_FALSE(containsUtf16(preview.emf, "Bullets"));  // second slide

    PptxDeck empty;
    expectPictureOfSize(drawPresentationPreview(empty));

    // Bulleted paragraphs keep their bullet, the text indented after it.
    PptxDeck listed;
    PptxShape& shape = listed.slides.emplace_back().shapes.emplace_back();
    for (const char* text : {"Plain", "Listed"}) {
        PptxParagraph& p = shape.paragraphs.emplace_back();
        p.bullet = text == std::string("Listed");
        p.runs.emplace_back().text = text;
    }
    auto texts = emfTexts(drawPresentationPreview(listed).emf);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].first, u"Plain");
    EXPECT_EQ(texts[1].first, u"\u2022");
    EXPECT_EQ(texts[1].second, texts[0].second);
    EXPECT_EQ(texts[2].first, u"Listed");
    EXPECT_GT(texts[2].second, texts[1].second + 10);
}

TEST(Preview, AnyOtherFileIsAFramedLabelWithItsName)
{
    Preview preview = drawFilePreview("/home/alice/reports/data-2024.csv");
    expectPictureOfSize(preview);
    EXPECT_TRUE(containsUtf16(preview.emf, "data-2024.csv"));
    EXPECT_FALSE(containsUtf16(preview.emf, "alice"));
    EXPECT_TRUE(containsUtf16(drawFilePreview("C:\\Data\\x.txt").emf, "x.txt"));

    // A very long name stays within a bounded label.
    Preview longName = drawFilePreview(std::string(400, 'n') + ".txt");
    EXPECT_LE(longName.widthPt, 432.0 + 1e-9);
    expectPictureOfSize(longName);
}

TEST(EmbeddedObject, ContentDecidesProgramIdAndPreview)
{
    testenv::TempDir dir;
    testenv::writeFile(dir / "abctabxyz.doc", asString(docxDocument(docxTableXml({{"t1", "t2"}, {"t3", "t4"}}))));
    testenv::writeFile(dir / "notable.docx", asString(docxDocument("<w:p/>")));
    testenv::writeFile(dir / "notes.txt", "plain text");
    Bytes ole2 = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    ole2.resize(1024);
    testenv::writeFile(dir / "old.ppt", asString(ole2));
    struct Case {
        std::filesystem::path file;
        EmbeddedKind kind;
        const char* progId;
        const char* extension;
        const char* shown;  // a text of its preview
    } cases[] = {
        {dir / "abctabxyz.doc", EmbeddedKind::WordDocument, "Word.Document.12", "docx", "t4"},
        {kSamples / "lo-deck.pptx", EmbeddedKind::Presentation, "PowerPoint.Show.12", "pptx", "Validation"},
        {dir / "notable.docx", EmbeddedKind::WordDocument, "Word.Document.12", "docx", "notable.docx"},  // no table: its name
        {dir / "notes.txt", EmbeddedKind::OtherFile, "Package", "bin", "notes.txt"},
        {dir / "old.ppt", EmbeddedKind::OtherFile, "Package", "bin", "old.ppt"},
    };
    for (const Case& c : cases) {
        EmbeddedObject object = describeEmbeddedFile(c.file, c.file.filename().string());
        EXPECT_EQ(object.kind, c.kind) << c.file;
        EXPECT_EQ(object.progId, c.progId) << c.file;
        EXPECT_EQ(object.extension, c.extension) << c.file;
        EXPECT_TRUE(containsUtf16(object.preview.emf, c.shown)) << c.file;
        expectPictureOfSize(object.preview);
    }
    EXPECT_THROW(describeEmbeddedFile(dir / "missing.doc", "missing.doc"), MediaError);
}
