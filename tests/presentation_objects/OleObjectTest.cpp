// Shapes.AddOLEObject: Word documents and presentations embedded as
// packages, other files as generic objects, linked objects, each with its
// preview picture; natural size for Width and Height 0; missing files
// refused with nothing added.
#include <pugixml.hpp>

#include "DeckCheck.h"
#include "ObjectFiles.h"
#include "media/ObjectPreview.h"

namespace objtest {
namespace {

using namespace ppttest;

class OleObjectTest : public PptTest {
protected:
    static ComPtr<Shape> addObject(const ComPtr<Shapes>& shapes, const fs::path& file, float left, float top,
                                   float width, float height, MsoTriState link = msoFalse)
    {
        return shapes->AddOLEObject(left, top, width, height, u"", u16(file.string()), msoFalse, u"", 0, u"", link);
    }

    struct SavedObject {
        std::string progId;
        std::string relationshipType;  // last segment: "package", "oleObject"
        std::string target;
        bool external = false;
        bool embed = false;
        std::string previewTarget;
        std::int64_t cx = 0, cy = 0;
    };

    static std::vector<SavedObject> objectsOf(std::map<std::string, std::string>& parts, const std::string& part)
    {
        const std::string folder = part.substr(0, part.rfind('/') + 1);
        const std::string file = part.substr(part.rfind('/') + 1);
        pugi::xml_document rels;
        rels.load_string(parts[folder + "_rels/" + file + ".rels"].c_str());
        auto relationship = [&](const std::string& id) {
            for (auto r : rels.child("Relationships").children("Relationship"))
                if (id == r.attribute("Id").value()) return r;
            return pugi::xml_node();
        };
        pugi::xml_document doc;
        doc.load_string(parts[part].c_str());
        std::vector<SavedObject> result;
        for (auto found : doc.select_nodes("//p:graphicFrame")) {
            auto frame = found.node();
            auto ole = frame.select_node(".//p:oleObj").node();
            SavedObject object;
            object.progId = ole.attribute("progId").value();
            auto r = relationship(ole.attribute("r:id").value());
            const std::string type = r.attribute("Type").value();
            object.relationshipType = type.substr(type.rfind('/') + 1);
            object.target = r.attribute("Target").value();
            object.external = std::string(r.attribute("TargetMode").value()) == "External";
            object.embed = ole.child("p:embed");
            object.previewTarget =
                relationship(ole.select_node("p:pic/p:blipFill/a:blip").node().attribute("r:embed").value())
                    .attribute("Target")
                    .value();
            object.cx = frame.select_node("p:xfrm/a:ext").node().attribute("cx").as_llong();
            object.cy = frame.select_node("p:xfrm/a:ext").node().attribute("cy").as_llong();
            result.push_back(object);
        }
        return result;
    }

    static std::string partOf(const std::string& target) { return "ppt/" + target.substr(3); }  // "../x" from a slide
};

TEST_F(OleObjectTest, TableDocumentTakesItsNaturalSizeAndIsEmbeddedAsAWordPackage)
{
    // The generator's temporary name: a .doc holding WordprocessingML.
    const auto table = writeTableDocument(dir.path(), "abctabxyz.doc", cellTexts(3, 4));
    const auto expected = pptmedia::describeEmbeddedFile(table, "abctabxyz.doc");
    ASSERT_GT(expected.preview.widthPt, 0);

    auto slide = addSlide();
    auto object = addObject(slide->GetShapes(), table, 80, 65, 0, 0);
    EXPECT_EQ(object->GetLeft(), 80);
    EXPECT_EQ(object->GetTop(), 65);
    EXPECT_NEAR(object->GetWidth(), expected.preview.widthPt, 0.01);
    EXPECT_NEAR(object->GetHeight(), expected.preview.heightPt, 0.01);
    // A table of 3 rows takes more than one line's height and less than the slide.
    EXPECT_GT(object->GetHeight(), 30);
    EXPECT_LT(object->GetHeight(), 300);

    const auto path = save("table.pptx");
    expectSoundPackage(path);
    auto parts = deck::readParts(path);
    auto objects = objectsOf(parts, "ppt/slides/slide1.xml");
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_EQ(objects[0].progId, "Word.Document.12");
    EXPECT_EQ(objects[0].relationshipType, "package");
    EXPECT_TRUE(objects[0].embed);
    EXPECT_EQ(objects[0].target, "../embeddings/Microsoft_Word_Document1.docx");
    EXPECT_EQ(parts[partOf(objects[0].target)], testenv::readFile(table));  // byte for byte
    EXPECT_EQ(parts[partOf(objects[0].previewTarget)],
              std::string(expected.preview.emf.begin(), expected.preview.emf.end()));
    EXPECT_EQ(objects[0].cx, std::llround(expected.preview.widthPt * 12700));
    EXPECT_NE(parts["[Content_Types].xml"].find(
                  "PartName=\"/ppt/embeddings/Microsoft_Word_Document1.docx\" "
                  "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document\""),
              std::string::npos);
}

TEST_F(OleObjectTest, PresentationsOtherFilesAndLinksEachGetTheirForm)
{
    const auto deckFile = writePresentation(dir.path(), "inner.pptx", "Inner slide");
    const auto other = writeTestFile(dir.path(), "readme.txt", "plain text, embedded as a file\n");
    auto slide = addSlide();
    auto shapes = slide->GetShapes();
    auto embedded = addObject(shapes, deckFile, 120, 110, 480, 320);
    EXPECT_EQ(embedded->GetWidth(), 480);
    EXPECT_EQ(embedded->GetHeight(), 320);
    addObject(shapes, other, 10, 10, 100, 0);  // height in proportion to the width given
    addObject(shapes, deckFile, 120, 110, 480, 320, msoTrue);
    addObject(shapes, deckFile, 0, 0, 48, 32);  // the same content again: stored once
    // An object on a notes page.
    addObject(slide->GetNotesPage()->GetShapes(), other, 54, 400, 200, 100);

    const auto path = save("objects.pptx");
    expectSoundPackage(path);
    auto parts = deck::readParts(path);
    auto objects = objectsOf(parts, "ppt/slides/slide1.xml");
    ASSERT_EQ(objects.size(), 4u);

    EXPECT_EQ(objects[0].progId, "PowerPoint.Show.12");
    EXPECT_EQ(objects[0].relationshipType, "package");
    EXPECT_EQ(parts[partOf(objects[0].target)], testenv::readFile(deckFile));
    EXPECT_EQ(objects[0].target.substr(objects[0].target.size() - 5), ".pptx");

    EXPECT_EQ(objects[1].progId, "Package");
    EXPECT_EQ(objects[1].relationshipType, "oleObject");
    EXPECT_EQ(parts[partOf(objects[1].target)], testenv::readFile(other));
    EXPECT_GT(objects[1].cy, 0);

    EXPECT_EQ(objects[2].progId, "PowerPoint.Show.12");
    EXPECT_TRUE(objects[2].external);
    EXPECT_FALSE(objects[2].embed);
    EXPECT_EQ(objects[2].target, "file://" + deckFile.string());

    EXPECT_EQ(objects[3].target, objects[0].target);
    int embeddings = 0;
    for (const auto& [name, bytes] : parts) embeddings += name.rfind("ppt/embeddings/", 0) == 0;
    EXPECT_EQ(embeddings, 2);

    auto onNotes = objectsOf(parts, "ppt/notesSlides/notesSlide1.xml");
    ASSERT_EQ(onNotes.size(), 1u);
    EXPECT_EQ(onNotes[0].target, objects[1].target);
}

TEST_F(OleObjectTest, MissingFilesAndClassesWithoutAFileAreRefusedWithNothingAdded)
{
    auto slide = addSlide();
    auto shapes = slide->GetShapes();
    const auto missing = dir / "gone.doc";
    std::string description;
    EXPECT_EQ(errorOf([&] { addObject(shapes, missing, 0, 0, 0, 0); }, &description), HRESULT(0x80070002));
    EXPECT_NE(description.find("gone.doc"), std::string::npos) << description;
    EXPECT_EQ(errorOf([&] { addObject(shapes, missing, 0, 0, 0, 0, msoTrue); }), HRESULT(0x80070002));
    EXPECT_EQ(errorOf([&] {
                  shapes->AddOLEObject(0, 0, 10, 10, u"Word.Document", u"", msoFalse, u"", 0, u"", msoFalse);
              }, &description),
              E_INVALIDARG);
    EXPECT_NE(description.find("Word.Document"), std::string::npos) << description;
    EXPECT_EQ(shapes->GetCount(), 0);
    const auto path = save("none.pptx");
    expectSoundPackage(path);
    for (const auto& [name, bytes] : deck::readParts(path)) {
        EXPECT_NE(name.rfind("ppt/media/", 0), 0u) << name;
        EXPECT_NE(name.rfind("ppt/embeddings/", 0), 0u) << name;
    }
}

TEST_F(OleObjectTest, AnObjectShownAsAnIconCarriesItsLabel)
{
    const auto table = writeTableDocument(dir.path(), "t.docx", cellTexts(2, 2));
    auto slide = addSlide();
    auto icon = slide->GetShapes()->AddOLEObject(10, 10, 0, 0, u"", u16(table.string()), msoTrue, u"", 0,
                                                 u"Quarterly table", msoFalse);
    EXPECT_GT(icon->GetWidth(), 0);
    const auto path = save("icon.pptx");
    expectSoundPackage(path);
    auto parts = deck::readParts(path);
    EXPECT_NE(parts["ppt/slides/slide1.xml"].find("showAsIcon=\"1\""), std::string::npos);
}

}  // namespace
}  // namespace objtest
