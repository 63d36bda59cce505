// Presentations are read back with slide order, text frames, formatting,
// pictures, links and notes.
#include <gtest/gtest.h>

#include "TestFiles.h"
#include "common/TestEnv.h"
#include "media/PictureSniffer.h"
#include "template/PptxReader.h"

using namespace pptmedia;
using namespace mediatest;

TEST(PptxReader, ReadsSlidesInListOrderWithTextFormattingPicturesPlaceholdersAndNotes)
{
    testenv::TempDir dir;
    // Two slides listed in reverse part order, with formatting, a picture in a
    // group, links (web and to the other slide), notes and an inherited footer.
    testenv::writeFile(dir / "deck.ppt", asString(folderPackage("read-deck")));  // the name says nothing
    PptxDeck deck = readPresentation(dir / "deck.ppt", "deck.ppt");
    ASSERT_EQ(deck.slides.size(), 2u);
    const PptxSlide& first = deck.slides[0];
    EXPECT_EQ(first.slideId, 256u);
    EXPECT_EQ(first.partName, "/ppt/slides/slide2.xml");
    EXPECT_EQ(first.layoutPart, "/ppt/slideLayouts/slideLayout1.xml");
    EXPECT_EQ(deck.slides[1].slideId, 257u);

    ASSERT_EQ(first.shapes.size(), 3u);
    const PptxShape& title = first.shapes[0];
    EXPECT_DOUBLE_EQ(title.leftPt, 75);
    EXPECT_DOUBLE_EQ(title.topPt, 55);
    EXPECT_DOUBLE_EQ(title.heightPt, 50);
    EXPECT_EQ(title.autoSize, 1);
    EXPECT_TRUE(title.wordWrap);
    EXPECT_EQ(title.text(), "Title text\vweb\rto slide two");
    ASSERT_EQ(title.paragraphs.size(), 2u);
    EXPECT_EQ(title.paragraphs[0].alignment, 2);
    EXPECT_TRUE(title.paragraphs[1].bullet);

    const PptxRun& bold = title.paragraphs[0].runs[0];
    EXPECT_EQ(bold.fontName, "Arial");
    EXPECT_DOUBLE_EQ(bold.sizePt, 24);
    EXPECT_TRUE(bold.bold);
    EXPECT_TRUE(bold.underline);
    const PptxRun& web = title.paragraphs[0].runs[2];
    EXPECT_TRUE(web.italic);
    EXPECT_TRUE(web.strike);
    EXPECT_EQ(web.colour, "FF0000");
    EXPECT_EQ(web.link.address, "http://example.com/a?b=1");
    const PptxRun& jump = title.paragraphs[1].runs[0];
    EXPECT_EQ(jump.link.targetSlideId, 257u);
    EXPECT_EQ(jump.link.targetSlideIndex, 2u);
    EXPECT_EQ(jump.link.action, "ppaction://hlinksldjump");

    EXPECT_EQ(deck.slides[1].shapes.at(0).wordWrap, false);

    const PptxShape& picture = first.shapes.at(1);
    // Child (10, 10) 50 x 50 in a group that doubles its children and sits at (100, 100).
    EXPECT_DOUBLE_EQ(picture.leftPt, 120);
    EXPECT_DOUBLE_EQ(picture.topPt, 120);
    EXPECT_DOUBLE_EQ(picture.widthPt, 100);
    EXPECT_EQ(picture.mediaPart, "/ppt/media/image1.png");
    EXPECT_EQ(sniffPicture(picture.mediaBytes, "p").widthPx, 4u);
    EXPECT_EQ(picture.clickLink.address, "http://example.com/a?b=1");

    const PptxShape& footer = first.shapes.at(2);
    EXPECT_EQ(footer.kind, PptxShapeKind::Placeholder);
    EXPECT_EQ(footer.placeholderType, "ftr");
    EXPECT_EQ(footer.placeholderIndex, 11);
    EXPECT_DOUBLE_EQ(footer.leftPt, 270);  // from the layout
    EXPECT_EQ(footer.text(), "Footer");

    EXPECT_EQ(first.notesText(), "Note one\rNote two");
    EXPECT_TRUE(deck.slides[1].notes.empty());

    PptxReadOptions light;
    light.loadMedia = false;
    light.maxSlides = 1;
    PptxDeck preview = readPresentation(dir / "deck.ppt", "deck.ppt", light);
    ASSERT_EQ(preview.slides.size(), 1u);
    EXPECT_TRUE(preview.slides[0].shapes[1].mediaBytes.empty());
}

TEST(PptxReader, ReadsWhatLibreOfficeWrites)
{
    PptxDeck deck = readPresentation(kSamples / "lo-deck.pptx", "lo-deck.pptx");
    ASSERT_EQ(deck.slides.size(), 4u);
    EXPECT_NEAR(deck.slideWidthPt, 793.75, 0.01);
    EXPECT_EQ(deck.slides[0].notesText(), "Speaker notes for slide one.");
    const PptxShape& bullets = deck.slides[1].shapes.at(1);
    EXPECT_EQ(bullets.paragraphs.size(), 3u);
    EXPECT_TRUE(bullets.paragraphs[0].bullet);
    EXPECT_EQ(bullets.paragraphs[2].level, 1);
    EXPECT_TRUE(bullets.paragraphs[1].runs[1].bold);
    EXPECT_EQ(bullets.paragraphs[1].text(), "Second point with bold text");
    EXPECT_EQ(deck.masterPart, "/ppt/slideMasters/slideMaster1.xml");
}

TEST(PptxReader, RefusesWhatIsNoPresentation)
{
    testenv::TempDir dir;
    testenv::writeFile(dir / "x.pptx", asString(docxDocument("<w:p/>")));
    // A slide part that is not XML at all.
    testenv::writeFile(dir / "broken.pptx", asString(folderPackage("read-deck", {{"ppt/slides/slide1.xml", "not xml <<<"}})));
    const std::tuple<const char*, MediaErrorKind, const char*> cases[] = {
        {"x.pptx", MediaErrorKind::NotAPackage, "Word document"},
        {"broken.pptx", MediaErrorKind::DamagedPackage, "'/ppt/slides/slide1.xml' in 'broken.pptx'"},
    };
    for (const auto& [name, kind, says] : cases) {
        Refusal r = refusal([&] { readPresentation(dir / name, name); });
        EXPECT_EQ(r.kind, kind) << r.message;
        EXPECT_NE(r.message.find(says), std::string::npos) << r.message;
    }
}
