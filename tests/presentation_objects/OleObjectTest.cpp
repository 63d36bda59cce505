// Shapes.AddOLEObject: Word documents and presentations embedded as
// packages, other files as generic objects, linked objects, each with its
// preview picture; natural size for Width and Height 0; missing files
// refused with nothing added.
#include "DeckCheck.h"
#include "ObjectFiles.h"
#include "TestFiles.h"
#include "media/ObjectPreview.h"
#include "template/PptxReader.h"

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
};

TEST_F(OleObjectTest, EachKindOfFileGetsItsFormAndEqualContentIsStoredOnce)
{
    // The generator's temporary name: a .doc holding WordprocessingML.
    const auto table = writeTableDocument(dir.path(), "abctabxyz.doc", cellTexts(3, 4));
    const auto preview = pptmedia::describeEmbeddedFile(table, "abctabxyz.doc").preview;
    const auto inner = writePresentation(dir.path(), "inner.pptx", "Inner slide");
    const auto other = writeTestFile(dir.path(), "readme.txt", "plain text, embedded as a file\n");
    auto slide = addSlide();
    auto shapes = slide->GetShapes();
    auto natural = addObject(shapes, table, 80, 65, 0, 0);
    EXPECT_NEAR(natural->GetWidth(), preview.widthPt, 0.01);
    EXPECT_NEAR(natural->GetHeight(), preview.heightPt, 0.01);
    EXPECT_GT(natural->GetHeight(), 30);  // 3 rows: more than a line, less than the slide
    EXPECT_LT(natural->GetHeight(), 300);
    EXPECT_EQ(addObject(shapes, inner, 120, 110, 480, 320)->GetHeight(), 320);
    EXPECT_GT(addObject(shapes, other, 10, 10, 100, 0)->GetHeight(), 0);  // in proportion to the width given
    addObject(shapes, inner, 120, 110, 480, 320, msoTrue);
    addObject(shapes, inner, 0, 0, 48, 32);  // the same content again: stored once
    EXPECT_GT(shapes->AddOLEObject(10, 10, 0, 0, u"", u16(table.string()), msoTrue, u"", 0, u"Quarterly table", msoFalse)
                  ->GetWidth(), 0);
    addObject(slide->GetNotesPage()->GetShapes(), other, 54, 400, 200, 100);

    const auto path = save("objects.pptx");
    expectSoundPackage(path);
    auto parts = deck::readParts(path);
    const auto objects = pptmedia::readPresentation(path, "objects.pptx").slides.at(0).shapes;
    struct Form {
        const char* progId;
        fs::path file;
        bool linked;
    } forms[] = {{"Word.Document.12", table, false},  {"PowerPoint.Show.12", inner, false}, {"Package", other, false},
                 {"PowerPoint.Show.12", inner, true}, {"PowerPoint.Show.12", inner, false}, {"Word.Document.12", table, false}};
    ASSERT_EQ(objects.size(), std::size(forms));
    for (std::size_t i = 0; i < objects.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(objects[i].kind, pptmedia::PptxShapeKind::OleObject);
        EXPECT_EQ(objects[i].progId, forms[i].progId);
        EXPECT_EQ(objects[i].linked, forms[i].linked);
        if (forms[i].linked)
            EXPECT_EQ(objects[i].linkTarget, "file://" + forms[i].file.string());
        else
            EXPECT_EQ(mediatest::asString(objects[i].embeddedBytes), testenv::readFile(forms[i].file));  // byte for byte
        EXPECT_FALSE(objects[i].mediaBytes.empty());  // its preview
    }
    EXPECT_EQ(objects[0].embeddedPart, "/ppt/embeddings/Microsoft_Word_Document1.docx");
    EXPECT_EQ(objects[0].embeddedContentType, "application/vnd.openxmlformats-officedocument.wordprocessingml.document");
    EXPECT_EQ(objects[0].mediaBytes, preview.emf);
    EXPECT_NEAR(objects[0].widthPt, preview.widthPt, 1e-4);
    EXPECT_EQ(objects[4].embeddedPart, objects[1].embeddedPart);
    int embeddings = 0;
    for (const auto& [name, bytes] : parts) embeddings += name.rfind("ppt/embeddings/", 0) == 0;
    EXPECT_EQ(embeddings, 3);  // each content once: the table (shown as an icon too), the deck, the text file
    EXPECT_NE(parts["ppt/slides/slide1.xml"].find("showAsIcon=\"1\""), std::string::npos);
    const std::string onNotes = objects[2].embeddedPart.substr(objects[2].embeddedPart.rfind('/'));
    EXPECT_NE(parts["ppt/notesSlides/_rels/notesSlide1.xml.rels"].find(onNotes), std::string::npos);
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

}  // namespace
}  // namespace objtest
