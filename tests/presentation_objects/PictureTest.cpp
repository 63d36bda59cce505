// Shapes.AddPicture: pictures recognised by content, stored once per
// content, placed in the box given (or at their natural size), linked,
// carrying a click link; and bad files refused with nothing added.
#include <pugixml.hpp>

#include "DeckCheck.h"
#include "ObjectFiles.h"
#include "TestFiles.h"

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

    // The p:pic elements of a saved slide.
    static std::vector<pugi::xml_node> pictures(pugi::xml_document& doc, const std::string& xml)
    {
        doc.load_string(xml.c_str());
        std::vector<pugi::xml_node> result;
        for (auto found : doc.select_nodes("//p:pic")) result.push_back(found.node());
        return result;
    }

    static std::string relTarget(const std::string& rels, const std::string& id)
    {
        pugi::xml_document doc;
        doc.load_string(rels.c_str());
        for (auto r : doc.child("Relationships").children("Relationship"))
            if (id == r.attribute("Id").value()) return r.attribute("Target").value();
        return {};
    }
};

TEST_F(PictureTest, EachFormatIsPlacedInItsBoxAndEqualContentIsStoredOnce)
{
    const auto png = writePng(dir.path(), "a.png", 40, 20);
    const auto jpeg = writeJpeg(dir.path(), "b.jpg", 30, 30);
    // Named after another format: the content decides.
    const auto gif = writeGif(dir.path(), "c.png", 16, 8);
    const auto emf = writeEmf(dir.path(), "d.emf", 100, 50);
    const auto pngCopy = writeTestFile(dir.path(), "copy of a.PNG", testenv::readFile(png));

    auto slide1 = addSlide();
    auto first = addPicture(slide1, png, 75, 65, 600, 350);
    EXPECT_EQ(first->GetLeft(), 75);
    EXPECT_EQ(first->GetTop(), 65);
    EXPECT_EQ(first->GetWidth(), 600);
    EXPECT_EQ(first->GetHeight(), 350);
    addPicture(slide1, jpeg, 10, 20, 30, 40);
    auto slide2 = addSlide();
    addPicture(slide2, gif, 0, 0, 720, 60);
    addPicture(slide2, emf, 300.5f, 400.25f, 100, 50);
    addPicture(slide2, pngCopy, 1, 2, 3, 4);
    EXPECT_EQ(slide2->GetShapes()->GetCount(), 3);

    const auto path = save("pictures.pptx");
    expectSoundPackage(path);
    auto parts = deck::readParts(path);

    // Four distinct contents, four media parts; the copy of a.png is not stored again.
    std::vector<std::string> media;
    for (const auto& [name, bytes] : parts)
        if (name.rfind("ppt/media/", 0) == 0) media.push_back(name);
    ASSERT_EQ(media.size(), 4u);
    EXPECT_EQ(parts["ppt/media/image1.png"], testenv::readFile(png));
    EXPECT_EQ(parts["ppt/media/image2.jpeg"], testenv::readFile(jpeg));
    EXPECT_EQ(parts["ppt/media/image3.gif"], testenv::readFile(gif));
    EXPECT_EQ(parts["ppt/media/image4.emf"], testenv::readFile(emf));
    const std::string& types = parts["[Content_Types].xml"];
    for (const char* def : {"Extension=\"png\" ContentType=\"image/png\"", "Extension=\"jpeg\" ContentType=\"image/jpeg\"",
                            "Extension=\"gif\" ContentType=\"image/gif\"", "Extension=\"emf\" ContentType=\"image/x-emf\""})
        EXPECT_NE(types.find(def), std::string::npos) << def;

    pugi::xml_document doc;
    auto onSlide2 = pictures(doc, parts["ppt/slides/slide2.xml"]);
    ASSERT_EQ(onSlide2.size(), 3u);
    auto ext = onSlide2[1].select_node(".//a:xfrm").node();
    EXPECT_EQ(ext.child("a:off").attribute("x").as_llong(), 3816350);  // 300.5 pt
    EXPECT_EQ(ext.child("a:off").attribute("y").as_llong(), 5083175);  // 400.25 pt
    EXPECT_EQ(ext.child("a:ext").attribute("cx").as_llong(), 1270000);
    EXPECT_EQ(ext.child("a:ext").attribute("cy").as_llong(), 635000);
    const std::string rels = parts["ppt/slides/_rels/slide2.xml.rels"];
    const std::string copyId = onSlide2[2].select_node(".//a:blip").node().attribute("r:embed").value();
    EXPECT_EQ(relTarget(rels, copyId), "../media/image1.png");
    EXPECT_EQ(relTarget(rels, onSlide2[0].select_node(".//a:blip").node().attribute("r:embed").value()),
              "../media/image3.gif");
}

TEST_F(PictureTest, LinkedPictureIsAnExternalReferenceAndAClickLinkSitsOnThePicture)
{
    const auto png = writePng(dir.path(), "linked.png", 8, 8);
    const auto jpeg = writeJpeg(dir.path(), "clickable.jpg", 8, 8);
    auto slide = addSlide();
    slide->GetShapes()->AddPicture(u16(png.string()), msoTrue, msoFalse, 10, 10, 100, 100);
    auto clickable = addPicture(slide, jpeg, 200, 10, 100, 100);
    clickable->GetActionSettings()->Item(ppMouseClick)->GetHyperlink()->PutAddress(u"https://example.com/pictures");
    EXPECT_EQ(clickable->GetActionSettings()->Item(ppMouseClick)->GetHyperlink()->GetAddress(),
              u"https://example.com/pictures");

    const auto path = save("linked.pptx");
    expectSoundPackage(path);
    auto parts = deck::readParts(path);
    EXPECT_FALSE(parts.count("ppt/media/image1.png"));  // linked only: not stored
    pugi::xml_document doc;
    auto pics = pictures(doc, parts["ppt/slides/slide1.xml"]);
    ASSERT_EQ(pics.size(), 2u);
    auto blip = pics[0].select_node(".//a:blip").node();
    EXPECT_TRUE(blip.attribute("r:embed").empty());
    const std::string rels = parts["ppt/slides/_rels/slide1.xml.rels"];
    EXPECT_EQ(relTarget(rels, blip.attribute("r:link").value()), "file://" + png.string());
    EXPECT_NE(rels.find("TargetMode=\"External\""), std::string::npos);

    auto click = pics[1].select_node("p:nvPicPr/p:cNvPr/a:hlinkClick").node();
    ASSERT_TRUE(click);
    EXPECT_EQ(relTarget(rels, click.attribute("r:id").value()), "https://example.com/pictures");
}

TEST_F(PictureTest, MinusOneTakesTheNaturalSizeOrKeepsTheProportions)
{
    const auto png = writeTestFile(dir.path(), "dpi.png", mediatest::asString(mediatest::pngPicture(192, 96, 192)));
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
    const auto text = writeTestFile(dir.path(), "notes.gif", "GIF? no, just some text\n");
    const auto empty = writeTestFile(dir.path(), "empty.png", "");
    std::string truncatedPng = mediatest::asString(mediatest::pngPicture(32, 32));
    truncatedPng.resize(truncatedPng.size() / 2);
    const auto truncated = writeTestFile(dir.path(), "half.png", truncatedPng);
    const auto missing = dir / "nowhere" / "missing.png";
    const auto good = writePng(dir.path(), "good.png", 4, 4);

    auto slide = addSlide();
    struct Case {
        fs::path file;
        HRESULT expected;
    };
    for (const Case& c : {Case{text, E_FAIL}, Case{empty, E_FAIL}, Case{truncated, E_FAIL},
                          Case{missing, HRESULT(0x80070002)}, Case{dir.path(), HRESULT(0x80070002)}}) {
        std::string description;
        EXPECT_EQ(errorOf([&] { addPicture(slide, c.file, 0, 0, 10, 10); }, &description), c.expected) << c.file;
        EXPECT_NE(description.find("Shapes.AddPicture"), std::string::npos) << description;
        EXPECT_NE(description.find(c.file.filename().string()), std::string::npos) << description;
    }
    std::string description;
    EXPECT_EQ(errorOf([&] { slide->GetShapes()->AddPicture(u"", msoFalse, msoTrue, 0, 0, 1, 1); }, &description),
              E_INVALIDARG);
    EXPECT_EQ(errorOf([&] { slide->GetShapes()->AddPicture(u16(good.string()), msoFalse, msoFalse, 0, 0, 1, 1); }),
              E_INVALIDARG);
    EXPECT_EQ(errorOf([&] { slide->GetShapes()->AddPicture(u16(good.string()), MsoTriState(5), msoTrue, 0, 0, 1, 1); }),
              E_INVALIDARG);
    EXPECT_EQ(slide->GetShapes()->GetCount(), 0);

    const auto path = save("refused.pptx");
    expectSoundPackage(path);
    for (const auto& [name, bytes] : deck::readParts(path)) EXPECT_NE(name.rfind("ppt/media/", 0), 0u) << name;
}

}  // namespace
}  // namespace objtest
