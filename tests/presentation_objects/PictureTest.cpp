// Shapes.AddPicture: pictures recognised by content, stored once per
// content, placed in the box given (or at their natural size), linked,
// carrying a click link; and bad files refused with nothing added.
#include "DeckCheck.h"
#include "ObjectFiles.h"
#include "TestFiles.h"
#include "template/PptxReader.h"

namespace objtest {
namespace {

using namespace ppttest;

class PictureTest : public PptTest {
protected:
    ComPtr<Shape> addPicture(const ComPtr<_Slide>& slide, const fs::path& file, float left, float top, float width,
                             float height)
    {
        return slide->GetShapes()->AddPicture(u16(file.string()), msoFalse, msoTrue, left, top, width, height);
    }
};

TEST_F(PictureTest, EachFormatIsPlacedInItsBoxAndEqualContentIsStoredOnce)
{
    const auto png = writePng(dir.path(), "a.png", 40, 20);
    struct Placed {
        fs::path file;
        float left, top, width, height;
        const char* part;  // the media part it is stored in
        const char* contentType;
    } placed[] = {
        {png, 75, 65, 600, 350, "/ppt/media/image1.png", "image/png"},
        {writeJpeg(dir.path(), "b.jpg", 30, 30), 10, 20, 30, 40, "/ppt/media/image2.jpeg", "image/jpeg"},
        // Named after another format: the content decides.
        {writeGif(dir.path(), "c.png", 16, 8), 0, 0, 720, 60, "/ppt/media/image3.gif", "image/gif"},
        {writeEmf(dir.path(), "d.emf", 100, 50), 300.5f, 400.25f, 100, 50, "/ppt/media/image4.emf", "image/x-emf"},
        // The same content again is not stored again.
        {writeTestFile(dir.path(), "copy of a.PNG", testenv::readFile(png)), 1, 2, 3, 4, "/ppt/media/image1.png", "image/png"},
    };
    auto slide = addSlide();
    for (const Placed& p : placed) addPicture(slide, p.file, p.left, p.top, p.width, p.height);
    const auto path = save("pictures.pptx");
    expectSoundPackage(path);

    const auto shapes = pptmedia::readPresentation(path, "pictures.pptx").slides.at(0).shapes;
    ASSERT_EQ(shapes.size(), std::size(placed));
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        SCOPED_TRACE(placed[i].file);
        EXPECT_EQ(shapes[i].kind, pptmedia::PptxShapeKind::Picture);
        EXPECT_DOUBLE_EQ(shapes[i].leftPt, placed[i].left);  // whole EMUs: 300.5 pt is exact
        EXPECT_DOUBLE_EQ(shapes[i].topPt, placed[i].top);
        EXPECT_DOUBLE_EQ(shapes[i].widthPt, placed[i].width);
        EXPECT_DOUBLE_EQ(shapes[i].heightPt, placed[i].height);
        EXPECT_EQ(shapes[i].mediaPart, placed[i].part);
        EXPECT_EQ(shapes[i].mediaContentType, placed[i].contentType);
        EXPECT_EQ(mediatest::asString(shapes[i].mediaBytes), testenv::readFile(placed[i].file));
    }
    int media = 0;
    for (const auto& [name, bytes] : deck::readParts(path)) media += name.rfind("ppt/media/", 0) == 0;
    EXPECT_EQ(media, 4);
}

TEST_F(PictureTest, LinkedPictureIsAnExternalReferenceAndAClickLinkSitsOnThePicture)
{
    const auto png = writePng(dir.path(), "linked.png", 8, 8);
    auto slide = addSlide();
    slide->GetShapes()->AddPicture(u16(png.string()), msoTrue, msoFalse, 10, 10, 100, 100);
    auto clickable = addPicture(slide, writeJpeg(dir.path(), "clickable.jpg", 8, 8), 200, 10, 100, 100);
    clickable->GetActionSettings()->Item(ppMouseClick)->GetHyperlink()->PutAddress(u"https://example.com/pictures");

    const auto path = save("linked.pptx");
    expectSoundPackage(path);
    auto parts = deck::readParts(path);
    EXPECT_FALSE(parts.count("ppt/media/image1.png"));  // linked only: not stored
    EXPECT_NE(parts["ppt/slides/slide1.xml"].find("<a:blip r:link="), std::string::npos);
    EXPECT_NE(parts["ppt/slides/_rels/slide1.xml.rels"].find("Target=\"file://" + png.string() + "\" TargetMode=\"External\""),
              std::string::npos);
    const auto shapes = pptmedia::readPresentation(path, "linked.pptx").slides.at(0).shapes;
    ASSERT_EQ(shapes.size(), 2u);
    EXPECT_TRUE(shapes[0].mediaBytes.empty());
    EXPECT_EQ(shapes[1].clickLink.address, "https://example.com/pictures");
}

TEST_F(PictureTest, MinusOneTakesTheNaturalSizeOrKeepsTheProportions)
{
    const auto png = writePicture(dir.path(), "dpi.png", mediatest::pngPicture(192, 96, 192));
    const auto emf = writeEmf(dir.path(), "frame.emf", 144, 72);
    auto slide = addSlide();
    auto natural = addPicture(slide, png, 0, 0, -1, -1);
    EXPECT_NEAR(natural->GetWidth(), 72, 0.01);  // 192 px at 192 dpi: one inch
    EXPECT_NEAR(natural->GetHeight(), 36, 0.01);
    auto byWidth = addPicture(slide, emf, 0, 0, 300, -1);
    EXPECT_EQ(byWidth->GetWidth(), 300);
    EXPECT_NEAR(byWidth->GetHeight(), 150, 0.05);
    auto byHeight = addPicture(slide, emf, 0, 0, -1, 36);
    EXPECT_NEAR(byHeight->GetWidth(), 72, 0.05);
    // 0 is a size like any other: the box given.
    auto flat = addPicture(slide, png, 5, 5, 0, 0);
    EXPECT_EQ(flat->GetWidth(), 0);
    expectSoundPackage(save("natural.pptx"));
}

TEST_F(PictureTest, BadFilesAreRefusedWithTheirNameAndNothingIsAdded)
{
    std::string truncatedPng = mediatest::asString(mediatest::pngPicture(32, 32));
    truncatedPng.resize(truncatedPng.size() / 2);
    const auto good = writePng(dir.path(), "good.png", 4, 4);
    auto slide = addSlide();
    const std::pair<fs::path, HRESULT> cases[] = {
        {writeTestFile(dir.path(), "notes.gif", "GIF? no, just some text\n"), E_FAIL},
        {writeTestFile(dir.path(), "empty.png", ""), E_FAIL},
        {writeTestFile(dir.path(), "half.png", truncatedPng), E_FAIL},
        {dir / "nowhere" / "missing.png", HRESULT(0x80070002)},
        {dir.path(), HRESULT(0x80070002)},
    };
    for (const auto& [file, expected] : cases) {
        std::string description;
        EXPECT_EQ(errorOf([&] { addPicture(slide, file, 0, 0, 10, 10); }, &description), expected) << file;
        EXPECT_NE(description.find("Shapes.AddPicture"), std::string::npos) << description;
        EXPECT_NE(description.find(file.filename().string()), std::string::npos) << description;
    }
    auto shapes = slide->GetShapes();
    EXPECT_EQ(errorOf([&] { shapes->AddPicture(u"", msoFalse, msoTrue, 0, 0, 1, 1); }), E_INVALIDARG);
    EXPECT_EQ(errorOf([&] { shapes->AddPicture(u16(good.string()), msoFalse, msoFalse, 0, 0, 1, 1); }), E_INVALIDARG);
    EXPECT_EQ(errorOf([&] { shapes->AddPicture(u16(good.string()), MsoTriState(5), msoTrue, 0, 0, 1, 1); }), E_INVALIDARG);
    EXPECT_EQ(shapes->GetCount(), 0);

    const auto path = save("refused.pptx");
    expectSoundPackage(path);
    for (const auto& [name, bytes] : deck::readParts(path)) EXPECT_NE(name.rfind("ppt/media/", 0), 0u) << name;
}

}  // namespace
}  // namespace objtest
