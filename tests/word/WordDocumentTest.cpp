// The Word stand-in driven through IDocument in-process: the 3 x 4 table,
// files and pictures, and every kind of bad input.
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <unistd.h>

#include <regex>
#include <sstream>
#include <tuple>

#include "DocxReader.h"
#include "SampleTable.h"
#include "TestImages.h"
#include "WordDocument.h"
#include "com/ComString.h"
#include "common/PackageCheck.h"
#include "common/PackageReader.h"
#include "common/TestEnv.h"

using com::BStr;
using namespace wordtest;

namespace {

BSTR b(const BStr& s)
{
    return s.get();
}

}  // namespace

class WordDocumentTest : public ::testing::Test {
protected:
    testenv::ScopedRegistry registry;  // path resolution reads the drive mapping
    testenv::TempDir dir;
    ComPtr<IDocument> doc = newDocument();

    HRESULT create(const std::filesystem::path& path) { return doc->create(b(BStr(path.string()))); }
    void text(const std::string& t) { doc->insertText(b(BStr(t))); }
    // start, create, one table row of cells; the caller fills in between.
    void openTable(const std::filesystem::path& path)
    {
        doc->start();
        ASSERT_EQ(create(path), S_OK);
        doc->startTable();
        doc->addRow();
        doc->addCell();
    }
    std::vector<std::string> leftovers() const
    {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(dir.path())) names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
};

// The sample package validates, reads back as written, and each of its parts
// is what it was.
TEST_F(WordDocumentTest, SampleTableValidatesAndEveryPartReadsBackAsWritten)
{
    testenv::writeFile(dir / "picture.png", picture("gradient-40x30.png"));
    auto path = dir / "abctabxyz.doc";  // a .docx whatever the extension
    ASSERT_EQ(writeSampleTable(*doc.get(), path, dir / "picture.png"), S_OK);
    auto check = testenv::validatePackage(path);
    EXPECT_EQ(check.status, 0) << check.output;
    EXPECT_NE(check.output.find("0 problems"), std::string::npos) << check.output;
    EXPECT_EQ(testenv::readFile(path).compare(30, 19, "[Content_Types].xml"), 0);  // the first member's name
    EXPECT_EQ(leftovers(), (std::vector<std::string>{"abctabxyz.doc", "picture.png"}));

    EXPECT_EQ(tableTexts(path).at(0), sampleTableText());

    // Every part as expected under tests/word/expected/sample-table (XML
    // indented, one element a line, the creation time left out).
    std::map<std::string, std::string> actual;
    for (auto [name, bytes] : pptx::readZip(path)) {
        actual["parts.txt"] += name + "\n";
        if (name.ends_with(".png")) {
            EXPECT_EQ(bytes, picture("gradient-40x30.png"));
            continue;
        }
        pugi::xml_document xml;
        ASSERT_TRUE(xml.load_buffer(bytes.data(), bytes.size(), pugi::parse_default | pugi::parse_ws_pcdata_single)) << name;
        std::ostringstream indented;
        xml.save(indented, "  ", pugi::format_indent);
        actual[name] = std::regex_replace(indented.str(), std::regex(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ)"), "<timestamp>");
    }
    for (const auto& [name, text] : actual)
        testenv::expectRecorded(text, std::filesystem::path(ORVEL_SOURCE_DIR) / "tests/word/expected/sample-table" / name);
}

// A Windows name reaches the real folder; short rows end early and still validate.
TEST_F(WordDocumentTest, NamesAsClientsWriteThemAndShortRows)
{
    std::filesystem::create_directory(dir / "Out");
    std::string windows = "C:" + (dir / "OUT" / "Table.docx").string();
    std::replace(windows.begin(), windows.end(), '/', '\\');
    openTable(windows);
    for (const char* cell : {"a1", "a2", "a3"}) {
        if (cell[1] != '1') doc->addCell();
        text(cell);
    }
    doc->addRow();
    doc->addCell();
    text("b1");
    doc->addRow();  // no cells: left out
    doc->endTable();
    ASSERT_EQ(doc->close(), S_OK);
    auto path = dir / "Out" / "Table.docx";
    auto check = testenv::validatePackage(path);
    EXPECT_EQ(check.status, 0) << check.output;
    EXPECT_EQ(tableTexts(path).at(0), (TableText{{"a1", "a2", "a3"}, {"b1"}}));
    EXPECT_EQ(evaluate(mainPart(path), "//w:tr[2]/w:trPr/w:gridAfter/@w:val"), "2");

    // A relative name means the folder current at create.
    auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    HRESULT created = doc->create(b(BStr("relative.docx")));
    std::filesystem::current_path(previous);
    ASSERT_EQ(created, S_OK);
    text("here");
    ASSERT_EQ(doc->close(), S_OK);
    EXPECT_TRUE(std::filesystem::exists(dir / "relative.docx"));
}

TEST_F(WordDocumentTest, ReplacesAnOlderFileWholeAndKeepsItsPermissions)
{
    auto path = dir / "t.docx";
    testenv::writeFile(path, "old content");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                                           std::filesystem::perms::group_read);
    openTable(path);
    text("new");
    ASSERT_EQ(doc->close(), S_OK);
    EXPECT_EQ(tableTexts(path)[0][0][0], "new");
    EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                  std::filesystem::perms::group_read);
    EXPECT_EQ(leftovers().size(), 1u);
}

TEST_F(WordDocumentTest, UnwritableTargetsFailCleanlyAndTheDocumentStaysOpen)
{
    std::filesystem::create_directory(dir / "folder");
    testenv::writeFile(dir / "folder" / "inside", "kept");
    openTable(dir / "folder");  // a folder cannot be replaced by a file
    text("table");
    EXPECT_EQ(doc->close(), E_ACCESSDENIED);
    EXPECT_EQ(testenv::readFile(dir / "folder" / "inside"), "kept");
    EXPECT_EQ(leftovers(), std::vector<std::string>{"folder"});

    ASSERT_EQ(create(dir / "missing" / "t.docx"), S_OK);
    text("kept for a retry");
    EXPECT_EQ(doc->close(), HR_PATH_NOT_FOUND);
    EXPECT_EQ(leftovers(), std::vector<std::string>{"folder"});
    std::filesystem::create_directory(dir / "missing");
    ASSERT_EQ(doc->close(), S_OK);  // nothing was lost
    EXPECT_EQ(bodyParagraphs(mainPart(dir / "missing" / "t.docx")).at(0), "kept for a retry");

    EXPECT_EQ(create("/dev/null/t.docx"), S_OK);
    EXPECT_EQ(doc->close(), HR_PATH_NOT_FOUND);
    if (geteuid() != 0) {  // permissions do not stop the superuser
        std::filesystem::create_directory(dir / "locked");
        std::filesystem::permissions(dir / "locked", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        ASSERT_EQ(create(dir / "locked" / "t.docx"), S_OK);
        EXPECT_EQ(doc->close(), E_ACCESSDENIED);
        EXPECT_TRUE(std::filesystem::is_empty(dir / "locked"));
        std::filesystem::permissions(dir / "locked", std::filesystem::perms::owner_all);
    }
}

TEST_F(WordDocumentTest, CallsInTheWrongOrder)
{
    auto path = dir / "t.docx";
    EXPECT_EQ(create(path), E_UNEXPECTED);  // before start
    EXPECT_EQ(doc->close(), S_OK);          // close without create does nothing
    text("ignored: no document");
    doc->addRow();
    EXPECT_TRUE(leftovers().empty());

    doc->start();
    EXPECT_EQ(create(dir / "first.docx"), S_OK);
    text("dropped");
    EXPECT_EQ(create(path), S_OK);  // a second create drops the unsaved document
    text("kept");
    EXPECT_EQ(doc->close(), S_OK);
    EXPECT_EQ(leftovers(), std::vector<std::string>{"t.docx"});
    EXPECT_EQ(bodyParagraphs(mainPart(path)), std::vector<std::string>{"kept"});
    EXPECT_EQ(doc->close(), S_OK);  // closed already: nothing

    // Rows and cells without startTable are not a table; their text is body text.
    ASSERT_EQ(create(path), S_OK);
    doc->addRow();
    doc->addCell();
    text("loose");
    doc->endTable();
    ASSERT_EQ(doc->close(), S_OK);
    EXPECT_TRUE(tableTexts(path).empty());
    EXPECT_EQ(bodyParagraphs(mainPart(path)), std::vector<std::string>{"loose"});

    // stop drops an open document.
    ASSERT_EQ(create(dir / "never.docx"), S_OK);
    doc->stop();
    doc->start();
    EXPECT_EQ(doc->close(), S_OK);
    EXPECT_FALSE(std::filesystem::exists(dir / "never.docx"));
}

TEST_F(WordDocumentTest, NullAndHugeStrings)
{
    doc->start();
    EXPECT_EQ(doc->create(nullptr), E_INVALIDARG);
    const std::u16string withNul(u"a\0b.docx", 8);
    EXPECT_EQ(doc->create(b(BStr(withNul))), E_INVALIDARG);
    auto path = dir / "t.docx";
    ASSERT_EQ(create(path), S_OK);
    doc->startTable();
    doc->addRow();
    doc->addCell();
    EXPECT_EQ(doc->insertText(nullptr), S_OK);
    EXPECT_EQ(doc->setFontName(nullptr), S_OK);
    EXPECT_EQ(doc->insertXref(nullptr, nullptr), S_OK);
    EXPECT_EQ(doc->insertImage(nullptr, nullptr), S_OK);
    EXPECT_EQ(doc->insertFile(nullptr, 0), S_OK);
    EXPECT_EQ(doc->insertImage(b(BStr(withNul)), nullptr), E_INVALIDARG);
    EXPECT_EQ(doc->overrideRegistry(nullptr, nullptr, nullptr, 0), S_OK);
    EXPECT_EQ(doc->setStyle(nullptr), S_OK);
    doc->addCell();
    std::string huge(1'000'000, 'h');
    huge[1000] = ' ';
    text(huge);
    doc->addCell();
    // Lone surrogates, control characters and markup in one string.
    std::u16string odd = u"a\xD800z\x0001<&>\xDC00";
    EXPECT_EQ(doc->insertText(b(BStr(odd))), S_OK);
    doc->endTable();
    ASSERT_EQ(doc->close(), S_OK);

    auto check = testenv::validatePackage(path);
    EXPECT_EQ(check.status, 0) << check.output;
    auto cells = tableTexts(path).at(0).at(0);
    ASSERT_EQ(cells.size(), 3u);
    EXPECT_EQ(cells[0], "");
    EXPECT_EQ(cells[1], huge);
    EXPECT_EQ(cells[2], "a\xEF\xBF\xBDz<&>\xEF\xBF\xBD");
}

TEST_F(WordDocumentTest, FilesAndPicturesInCells)
{
    testenv::writeFile(dir / "lines.txt", "first line\r\nsecond line\nthird line\n");
    testenv::writeFile(dir / "photo.bin", picture("gradient-8x8.png"));
    testenv::writeFile(dir / "data.bin", std::string("\x00\x01\x02", 3));
    testenv::writeFile(dir / "notapicture.png", "text, not a picture");
    auto path = dir / "t.docx";
    openTable(path);
    auto at = [&](const char* name) { return BStr(std::string_view(name).starts_with("http") ? name : (dir / name).string()); };
    // Text files as their text (type 2: as their name), pictures as pictures, other files as their name.
    const std::tuple<const char*, short, HRESULT> files[] = {{"lines.txt", 0, S_OK}, {"photo.bin", 0, S_OK},
                                                             {"data.bin", 0, S_OK},  {"lines.txt", 2, S_OK},
                                                             {"https://example.com/file", 0, S_OK}};
    for (const auto& [name, type, hr] : files) {
        if (&name != &std::get<0>(files[0])) doc->addCell();
        EXPECT_EQ(doc->insertFile(b(at(name)), type), hr) << name;
    }
    doc->addCell();
    EXPECT_EQ(doc->insertFile(b(at("absent.txt")), 0), HR_FILE_NOT_FOUND);
    EXPECT_EQ(doc->insertImage(b(at("absent.png")), nullptr), HR_FILE_NOT_FOUND);
    EXPECT_EQ(doc->insertImage(b(at("notapicture.png")), nullptr), HR_BAD_FORMAT);
    EXPECT_EQ(doc->insertImage(b(at("photo.bin")), b(BStr("www.example.com"))), S_OK);
    doc->endTable();
    ASSERT_EQ(doc->close(), S_OK);

    auto check = testenv::validatePackage(path);
    EXPECT_EQ(check.status, 0) << check.output;
    auto xml = mainPart(path);
    // The last cell: only the linked picture made it.
    EXPECT_EQ(tableTexts(path).at(0).at(0), (std::vector<std::string>{"first line\nsecond line\nthird line", "", "data.bin",
                                                                     "lines.txt", "https://example.com/file", ""}));
    EXPECT_EQ(xml.select_nodes("//w:drawing").size(), 2u);
    EXPECT_EQ(xml.select_nodes("//w:hyperlink").size(), 2u);
    EXPECT_EQ(xml.select_nodes("//a:hlinkClick").size(), 1u);
    EXPECT_EQ(evaluate(xml, "count(//wp:docPr[@id = preceding::wp:docPr/@id])"), "0");  // distinct ids
    EXPECT_EQ(evaluate(xml, "count(//a:blip[@r:embed != (//a:blip/@r:embed)[1]])"), "0");  // one picture, one part
}

TEST_F(WordDocumentTest, FieldsAndTheQuestionsAboutTheBackEnd)
{
    openTable(dir / "t.docx");
    doc->insertField(1);
    doc->insertField(4);
    doc->insertField(3);
    doc->insertField(99);
    doc->endTable();
    ASSERT_EQ(doc->close(), S_OK);
    auto xml = mainPart(dir / "t.docx");
    std::vector<std::string> fields;
    for (auto n : xml.select_nodes("//w:fldSimple")) fields.push_back(n.node().attribute("w:instr").value());
    EXPECT_EQ(fields, (std::vector<std::string>{" DATE ", " PAGE ", " FILENAME "}));
    EXPECT_NE(tableTexts(dir / "t.docx")[0][0][0].find("t.docx"), std::string::npos);

    BStr type, page;
    EXPECT_EQ(doc->getDocType(type.put()), S_OK);
    EXPECT_EQ(type.utf8(), "Word");
    EXPECT_EQ(doc->getPropPages(page.put()), S_OK);
    EXPECT_EQ(page.utf8(), "");
    EXPECT_EQ(doc->getDocType(nullptr), E_POINTER);
    EXPECT_EQ(doc->getPropPages(nullptr), E_POINTER);
    // Calls without meaning here are accepted.
    EXPECT_EQ(doc->insertTOC(), S_OK);
    EXPECT_EQ(doc->startHeader(), S_OK);
    EXPECT_EQ(doc->insertDiagram(0, 1, 1), S_OK);
}
