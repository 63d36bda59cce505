// What LibreOffice shows of pictures and embedded objects: each picture
// where it was placed (checked on the rendered page), the embedded table's
// cell texts inside the object's box, the embedded presentation's text.
// These start LibreOffice (label render).
#include <gdk-pixbuf/gdk-pixbuf.h>

#include <memory>

#include "DeckCheck.h"
#include "ObjectFiles.h"
#include "PdfWords.h"
#include "common/PackageCheck.h"

namespace objtest {
namespace {

using namespace ppttest;

struct PixbufUnref {
    void operator()(GdkPixbuf* p) const { g_object_unref(p); }
};

// One page of the PDF rendered at 72 dpi, so that a pixel is a point.
class PageImage {
public:
    PageImage(const fs::path& pdf, int page, const fs::path& outStem)
    {
        const std::string cmd = "pdftoppm -r 72 -png -singlefile -f " + std::to_string(page) + " -l " +
                                std::to_string(page) + " " + testenv::shellQuote(pdf.string()) + " " +
                                testenv::shellQuote(outStem.string());
        auto result = testenv::runCommand(cmd);
        EXPECT_EQ(result.status, 0) << result.output;
        path_ = outStem.string() + ".png";
        image_.reset(gdk_pixbuf_new_from_file(path_.c_str(), nullptr));
    }
    bool valid() const { return image_ != nullptr; }
    // Whether the pixel at (x, y) points is other than white.
    bool inked(int x, int y) const
    {
        const guchar* p = gdk_pixbuf_get_pixels(image_.get()) + y * gdk_pixbuf_get_rowstride(image_.get()) +
                          x * gdk_pixbuf_get_n_channels(image_.get());
        return p[0] < 240 || p[1] < 240 || p[2] < 240;
    }
    // The share of inked pixels in a box (x, y, w, h in points).
    double inkShare(int x, int y, int w, int h) const
    {
        int inkedCount = 0;
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i) inkedCount += inked(i, j);
        return static_cast<double>(inkedCount) / (w * h);
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
    std::unique_ptr<GdkPixbuf, PixbufUnref> image_;
};

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
