// What LibreOffice shows of pictures and embedded objects: each picture
// where it was placed (checked on the rendered page), the embedded table's
// cell texts inside the object's box, the embedded presentation's text.
// These start LibreOffice (label render).
#include "DeckCheck.h"
#include "ObjectFiles.h"
#include "PageImage.h"
#include "PdfWords.h"
#include "common/PackageCheck.h"

namespace objtest {
namespace {

using namespace ppttest;

class ObjectRenderTest : public PptTest {};

TEST_F(ObjectRenderTest, PicturesAndEmbeddedObjectsShowWhereTheyWerePlaced)
{
    const auto png = writePng(dir.path(), "p.png", 64, 32);
    const auto jpeg = writeJpeg(dir.path(), "j.jpg", 64, 32);
    const auto gif = writeGif(dir.path(), "g.gif", 64, 32);
    const auto emf = writeEmf(dir.path(), "e.emf", 200, 100);
    const auto table = writeTableDocument(dir.path(), "abctabxyz.doc", cellTexts(3, 4));
    const auto inner = writePresentation(dir.path(), "inner.pptx", "Embedded deck text");

    struct Placed {
        fs::path file;
        int left, top, width, height;
    };
    const Placed placed[] = {{png, 40, 40, 200, 100}, {jpeg, 280, 40, 200, 100}, {gif, 40, 200, 200, 100},
                             {emf, 280, 200, 200, 100}, {png, 520, 360, 160, 80}};
    auto slide1 = addSlide();
    ComPtr<Shape> last;
    for (const Placed& p : placed)
        last = slide1->GetShapes()->AddPicture(u16(p.file.string()), msoFalse, msoTrue, float(p.left), float(p.top),
                                               float(p.width), float(p.height));
    last->GetActionSettings()->Item(ppMouseClick)->GetHyperlink()->PutAddress(u"https://example.com/picture-link");

    auto slide2 = addSlide();
    auto object = slide2->GetShapes()->AddOLEObject(80, 65, 0, 0, u"", u16(table.string()), msoFalse, u"", 0, u"",
                                                    msoFalse);
    const float tableWidth = object->GetWidth(), tableHeight = object->GetHeight();
    auto slide3 = addSlide();
    slide3->GetShapes()->AddOLEObject(120, 110, 480, 320, u"", u16(inner.string()), msoFalse, u"", 0, u"", msoFalse);
    auto slide4 = addSlide();
    slide4->GetShapes()->AddOLEObject(120, 110, 480, 320, u"", u16(inner.string()), msoFalse, u"", 0, u"", msoTrue);

    const auto path = save("objects.pptx");
    expectSoundPackage(path);
    const auto pdf = testenv::convertToPdf(path, dir / "pdf");
    ASSERT_FALSE(pdf.empty());
    ASSERT_EQ(testenv::pdfPageCount(pdf), 4);

    // Slide 1: ink inside every picture's box, white paper between them.
    PageImage page1(pdf, 1, dir / "slide1");
    ASSERT_TRUE(page1.valid());
    for (const Placed& p : placed)
        EXPECT_GT(page1.inkShare(p.left + 4, p.top + 4, p.width - 8, p.height - 8), 0.9) << p.file << " at " << p.left;
    EXPECT_LT(page1.inkShare(250, 40, 20, 100), 0.05);   // between the first two
    EXPECT_LT(page1.inkShare(40, 310, 440, 40), 0.05);   // below the second row
    EXPECT_LT(page1.inkShare(500, 40, 200, 300), 0.05);  // right of them, above the linked one
    std::string pdfBytes = testenv::readFile(pdf);
    EXPECT_NE(pdfBytes.find("https://example.com/picture-link"), std::string::npos);

    // Slide 2: every cell text of the table inside the object's box.
    auto words = deck::pdfWords(pdf);
    ASSERT_GE(words.size(), 4u);
    for (const auto& row : cellTexts(3, 4))
        for (const auto& cell : row) {
            const deck::Word* w = deck::findWord(words[1], cell);
            ASSERT_TRUE(w) << cell << " not shown";
            EXPECT_GE(w->xMin, 80 - 1);
            EXPECT_LE(w->xMax, 80 + tableWidth + 1);
            EXPECT_GE(w->yMin, 65 - 1);
            EXPECT_LE(w->yMax, 65 + tableHeight + 1);
        }
    // Rows top to bottom, columns left to right.
    EXPECT_LT(deck::findWord(words[1], "R1C1")->yMin, deck::findWord(words[1], "R2C1")->yMin);
    EXPECT_LT(deck::findWord(words[1], "R1C1")->xMin, deck::findWord(words[1], "R1C2")->xMin);

    // Slides 3 and 4: the presentation's text, embedded and linked.
    for (int page : {2, 3}) {
        const deck::Word* w = deck::findWord(words[static_cast<std::size_t>(page)], "Embedded");
        ASSERT_TRUE(w) << "slide " << page + 1;
        EXPECT_GE(w->xMin, 120);
        EXPECT_LE(w->xMax, 600);
        EXPECT_GE(w->yMin, 110);
        EXPECT_LE(w->yMax, 430);
    }
    // For looking at: the rendered pages stay beside the test's log.
    if (const char* keep = std::getenv("ORVEL_KEEP_RENDERINGS")) {
        for (int n = 1; n <= 4; ++n) PageImage(pdf, n, fs::path(keep) / ("objects-slide" + std::to_string(n)));
    }
}

}  // namespace
}  // namespace objtest
