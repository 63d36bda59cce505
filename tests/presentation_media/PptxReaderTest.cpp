// Presentations are read back with slide order, text frames, formatting,
// pictures, links and notes.
#include <gtest/gtest.h>

#include <array>

#include "TestFiles.h"
#include "common/TestEnv.h"
#include "media/PictureSniffer.h"
#include "template/PptxReader.h"

using namespace pptmedia;
using namespace mediatest;

namespace {

const std::string kPresentationType = "application/vnd.openxmlformats-officedocument.presentationml.presentation.main+xml";

std::string rels(const std::vector<std::array<std::string, 3>>& list)
{
    std::string xml = "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    for (const auto& [id, type, target] : list) {
        xml += "<Relationship Id=\"" + id + "\" Type=\"" + kRelNs + type + "\" Target=\"" + target + "\"";
        if (target.rfind("http", 0) == 0) xml += " TargetMode=\"External\"";
        xml += "/>";
    }
    return xml + "</Relationships>";
}

std::string shape(int id, const std::string& geometry, const std::string& body, const std::string& ph = "")
{
    return "<p:sp><p:nvSpPr><p:cNvPr id=\"" + std::to_string(id) + "\" name=\"Shape " + std::to_string(id) +
           "\"/><p:cNvSpPr/><p:nvPr>" + ph + "</p:nvPr></p:nvSpPr><p:spPr>" + geometry + "</p:spPr><p:txBody>" + body +
           "</p:txBody></p:sp>";
}

std::string xfrm(int x, int y, int cx, int cy)
{
    return "<a:xfrm><a:off x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\"/><a:ext cx=\"" +
           std::to_string(cx) + "\" cy=\"" + std::to_string(cy) + "\"/></a:xfrm>";
}

// Two slides listed in reverse part order, with formatting, a picture in a
// group, links (web and to the other slide), notes and an inherited footer.
Bytes deckWrittenLikeTheEngine()
{
    std::string slideA =
        "<p:sld " + kNs + "><p:cSld><p:spTree><p:nvGrpSpPr><p:cNvPr id=\"1\" name=\"\"/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr><p:grpSpPr/>" +
        shape(2, xfrm(952500, 698500, 7620000, 635000),
              "<a:bodyPr wrap=\"square\"><a:spAutoFit/></a:bodyPr>"
              "<a:p><a:pPr algn=\"ctr\"/><a:r><a:rPr lang=\"en-US\" sz=\"2400\" b=\"1\" u=\"sng\"><a:latin typeface=\"Arial\"/>"
              "</a:rPr><a:t>Title text</a:t></a:r><a:br><a:rPr sz=\"2400\"/></a:br><a:r><a:rPr sz=\"1200\" i=\"1\" strike=\"sngStrike\">"
              "<a:solidFill><a:srgbClr val=\"FF0000\"/></a:solidFill><a:hlinkClick r:id=\"rId3\"/></a:rPr><a:t>web</a:t></a:r></a:p>"
              "<a:p><a:pPr><a:buChar char=\"&#8226;\"/></a:pPr><a:r><a:rPr><a:hlinkClick r:id=\"rId4\" action=\"ppaction://hlinksldjump\"/>"
              "</a:rPr><a:t>to slide two</a:t></a:r></a:p>") +
        "<p:grpSp><p:nvGrpSpPr><p:cNvPr id=\"5\" name=\"Group\"/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr><p:grpSpPr>"
        "<a:xfrm><a:off x=\"1270000\" y=\"1270000\"/><a:ext cx=\"2540000\" cy=\"2540000\"/><a:chOff x=\"0\" y=\"0\"/>"
        "<a:chExt cx=\"1270000\" cy=\"1270000\"/></a:xfrm></p:grpSpPr>"
        "<p:pic><p:nvPicPr><p:cNvPr id=\"6\" name=\"Picture\"><a:hlinkClick r:id=\"rId3\"/></p:cNvPr><p:cNvPicPr/><p:nvPr/></p:nvPicPr>"
        "<p:blipFill><a:blip r:embed=\"rId5\"/></p:blipFill><p:spPr>" +
        xfrm(127000, 127000, 635000, 635000) + "</p:spPr></p:pic></p:grpSp>" +
        shape(7, "", "<a:bodyPr/><a:p><a:r><a:t>Footer</a:t></a:r></a:p>", "<p:ph type=\"ftr\" idx=\"11\"/>") +
        "</p:spTree></p:cSld></p:sld>";
    std::string slideB = "<p:sld " + kNs + "><p:cSld><p:spTree>" +
                         shape(2, xfrm(0, 0, 12700, 12700), "<a:bodyPr wrap=\"none\"/><a:p><a:r><a:t>Second</a:t></a:r></a:p>") +
                         "</p:spTree></p:cSld></p:sld>";
    std::string notes = "<p:notes " + kNs + "><p:cSld><p:spTree>" +
                        shape(2, xfrm(0, 0, 1, 1), "<a:bodyPr/><a:p/>", "<p:ph type=\"sldImg\"/>") +
                        shape(3, xfrm(0, 0, 1, 1),
                              "<a:bodyPr/><a:p><a:r><a:t>Note one</a:t></a:r></a:p><a:p><a:r><a:t>Note two</a:t></a:r></a:p>",
                              "<p:ph type=\"body\" idx=\"1\"/>") +
                        "</p:spTree></p:cSld></p:notes>";
    std::string layout = "<p:sldLayout " + kNs + " type=\"blank\"><p:cSld><p:spTree>" +
                         shape(2, xfrm(3429000, 6248400, 2895600, 365125), "<a:bodyPr/><a:p/>", "<p:ph type=\"ftr\" idx=\"11\"/>") +
                         "</p:spTree></p:cSld></p:sldLayout>";
    std::string presentation = "<p:presentation " + kNs +
                               "><p:sldIdLst><p:sldId id=\"256\" r:id=\"rId2\"/><p:sldId id=\"257\" r:id=\"rId1\"/></p:sldIdLst>"
                               "<p:sldSz cx=\"9144000\" cy=\"6858000\"/></p:presentation>";
    return opcPackage(
        {{"_rels/.rels", rels({{"rId1", "officeDocument", "ppt/presentation.xml"}})},
         {"ppt/presentation.xml", presentation},
         {"ppt/_rels/presentation.xml.rels", rels({{"rId1", "slide", "slides/slide1.xml"}, {"rId2", "slide", "slides/slide2.xml"}})},
         {"ppt/slides/slide2.xml", slideA},
         {"ppt/slides/_rels/slide2.xml.rels",
          rels({{"rId1", "slideLayout", "../slideLayouts/slideLayout1.xml"},
                {"rId2", "notesSlide", "../notesSlides/notesSlide1.xml"},
                {"rId3", "hyperlink", "http://example.com/a?b=1"},
                {"rId4", "slide", "slide1.xml"},
                {"rId5", "image", "../media/image1.png"}})},
         {"ppt/slides/slide1.xml", slideB},
         {"ppt/notesSlides/notesSlide1.xml", notes},
         {"ppt/slideLayouts/slideLayout1.xml", layout},
         {"ppt/media/image1.png", asString(pngPicture(4, 4))}},
        {{"ppt/presentation.xml", kPresentationType}});
}

}  // namespace

TEST(PptxReader, ReadsSlidesInListOrderWithTextFormattingPicturesPlaceholdersAndNotes)
{
    testenv::TempDir dir;
    testenv::writeFile(dir / "deck.ppt", asString(deckWrittenLikeTheEngine()));  // the name says nothing
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
    testenv::writeFile(dir / "broken.pptx",
                       asString(opcPackage({{"_rels/.rels", rels({{"rId1", "officeDocument", "ppt/presentation.xml"}})},
                                            {"ppt/presentation.xml", "<p:presentation " + kNs +
                                                                         "><p:sldIdLst><p:sldId id=\"256\" r:id=\"rId1\"/>"
                                                                         "</p:sldIdLst></p:presentation>"},
                                            {"ppt/_rels/presentation.xml.rels", rels({{"rId1", "slide", "slides/slide1.xml"}})},
                                            {"ppt/slides/slide1.xml", "not xml <<<"}},
                                           {{"ppt/presentation.xml", kPresentationType}})));
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
