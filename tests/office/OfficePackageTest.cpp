// The office-package library: text conversion, what any text becomes in XML,
// packages read back by another zip reader, and saving that leaves either
// the old file or the whole new one.
#include <gtest/gtest.h>
#include <pugixml.hpp>
#include <zip.h>

#include <filesystem>
#include <functional>
#include <span>
#include <stdexcept>

#include "common/PackageReader.h"
#include "common/TestEnv.h"
#include "office/package/AtomicFile.h"
#include "office/package/ContentTypes.h"
#include "office/package/OpcNames.h"
#include "office/package/Relationships.h"
#include "office/package/Unicode.h"
#include "office/package/XmlWriter.h"
#include "office/package/ZipWriter.h"

namespace {

namespace fs = std::filesystem;
using namespace office;

const std::u16string bad16 = u"\xFFFD";
const std::string bad8 = "\xEF\xBF\xBD";

TEST(Unicode, RoundTripsEveryPlaneAndReplacesWhatIsIllFormed)
{
    for (const std::string& s : {std::string(), std::string("nul\0inside", 10), std::string("Ünïcödé € 日本語"),
                                std::string("\xF0\x9F\x98\x80 \xF4\x8F\xBF\xBF")}) {
        EXPECT_EQ(utf16ToUtf8(utf8ToUtf16(s)), s);
        EXPECT_EQ(utf32ToUtf8(utf8ToUtf32(s)), s);
        EXPECT_EQ(utf32ToUtf16(utf8ToUtf32(s)), utf8ToUtf16(s));
    }
    EXPECT_EQ(utf8ToUtf16("\xF0\x9F\x98\x80"), std::u16string(u"\xD83D\xDE00"));
    // A lone surrogate, either half, or both halves reversed.
    EXPECT_EQ(utf16ToUtf8(std::u16string(u"a\xD83D")), "a" + bad8);
    EXPECT_EQ(utf16ToUtf8(std::u16string(u"\xDE00z")), bad8 + "z");
    EXPECT_EQ(utf16ToUtf8(std::u16string(u"\xDE00\xD83D")), bad8 + bad8);
    // One U+FFFD per maximal subpart.
    EXPECT_EQ(utf8ToUtf16("\xC0\x80"), bad16 + bad16);                   // overlong NUL
    EXPECT_EQ(utf8ToUtf16("\xED\xA0\x80"), bad16 + bad16 + bad16);       // encoded surrogate
    EXPECT_EQ(utf8ToUtf16("\xF4\x90\x80\x80"), bad16 + bad16 + bad16 + bad16);  // above U+10FFFF
    EXPECT_EQ(utf8ToUtf16("a\xE2\x82"), u"a" + bad16);                   // truncated at the end
    EXPECT_EQ(utf8ToUtf16("\xE2\x82z"), bad16 + u"z");                   // truncated before ASCII
    EXPECT_EQ(utf8ToUtf16("\x80\xBF"), bad16 + bad16);                   // stray continuation bytes
    EXPECT_EQ(utf8ToUtf32("\xFE\xFF"), std::u32string(U"\xFFFD\xFFFD"));
}

std::string document(const std::function<void(XmlWriter&)>& body)
{
    XmlDocument xml;
    body(xml);
    return xml.finish();
}

pugi::xml_document parse(const std::string& xml)
{
    pugi::xml_document doc;
    const pugi::xml_parse_result result = doc.load_string(xml.c_str());
    EXPECT_TRUE(result) << result.description() << "\n" << xml;
    return doc;
}

TEST(XmlWriter, TextAndAttributesParseBackAsWritten)
{
    const std::string value = "\"quoted\" & <tag>\tline\nend\rcr";
    const std::string xml = document([&](XmlWriter& w) {
        w.open("t").attr("a", value).attr("u", utf8ToUtf16(value)).attr("n", -42).text("1 < 2 & 3 > 2 \"q\"\r").text(u"\u00e9");
    });
    auto doc = parse(xml);
    EXPECT_EQ(doc.child("t").attribute("a").value(), value);
    EXPECT_EQ(doc.child("t").attribute("u").value(), value);
    EXPECT_STREQ(doc.child("t").attribute("n").value(), "-42");
    EXPECT_EQ(std::string(doc.child("t").text().get()), "1 < 2 & 3 > 2 \"q\"\r\u00e9");  // the CR survives
    // Office reads "_xD800_" as an escaped surrogate: a literal one keeps its underscore escaped.
    EXPECT_NE(document([](XmlWriter& w) { w.open("t").text("_xD800_ and _xdfff_ but _x0041_"); })
                  .find("_x005F_xD800_ and _x005F_xdfff_ but _x0041_"),
              std::string::npos);
}

TEST(XmlWriter, EveryByteAndEveryUtf16UnitGiveWellFormedXml)
{
    std::string bytes;
    for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
    std::u16string units;
    for (char32_t c = 0; c < 0x10000; c += (c < 0x100 || (c >= 0xD700 && c < 0xE000) || c >= 0xFF00) ? 1 : 97)
        units += static_cast<char16_t>(c);
    units += u"\xDC00\xD800 pair \U0001F600";
    const std::string xml = document([&](XmlWriter& w) { w.open("t").attr("a", bytes).attr("u", units).text(bytes).text(units); });
    auto doc = parse(xml);
    const std::string text = doc.child("t").text().get();
    EXPECT_NE(text.find("\xF0\x9F\x98\x80"), std::string::npos);  // the pair survives
    EXPECT_NE(text.find(bad8 + bad8 + " pair"), std::string::npos);  // reversed halves do not
    EXPECT_EQ(text.find('\x01'), std::string::npos);
    EXPECT_EQ(document([](XmlWriter& w) { w.open("t").text("x\xEF\xBF\xBEy"); }).find("\xEF\xBF\xBE"), std::string::npos);
}

TEST(XmlWriter, ShapeOfTheOutput)
{
    const std::string xml = document([](XmlWriter& w) { w.open("a").leaf("b", "v", "1").open("c").open("d"); });
    EXPECT_EQ(xml, "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<a><b v=\"1\"/><c><d/></c></a>");
    StringSink sink;
    XmlWriter streamed(sink);
    streamed.declaration();
    streamed.start("p:x");
    streamed.end("p:x");
    streamed.flush();
    EXPECT_EQ(sink.bytes, "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n<p:x/>");
}

TEST(PackageParts, RelationshipsAndContentTypes)
{
    Relationships rels;
    EXPECT_EQ(rels.add(opc::relImage, "media/a.png"), "rId1");
    EXPECT_EQ(rels.add(opc::relHyperlink, "https://example.com/?a=1&b=2", true), "rId2");
    EXPECT_EQ(rels.add(opc::relImage, "media/a.png"), "rId1");  // the same one again
    EXPECT_EQ(rels.add(opc::relImage, "media/a.png", true), "rId3");
    auto doc = parse(document([&](XmlWriter& w) { rels.write(w); }));
    pugi::xml_node second = doc.child("Relationships").find_child_by_attribute("Id", "rId2");
    EXPECT_STREQ(second.attribute("Target").value(), "https://example.com/?a=1&b=2");
    EXPECT_STREQ(second.attribute("TargetMode").value(), "External");
    EXPECT_FALSE(doc.child("Relationships").find_child_by_attribute("Id", "rId1").attribute("TargetMode"));

    const std::string xml = document([&](XmlWriter& w) {
        ContentTypes types(w);
        types.byPart("/a.xml", "x/a");
        types.byExtension("png", "image/png");
        types.finish();
    });
    EXPECT_NE(xml.find("<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                       "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                       "<Override PartName=\"/a.xml\" ContentType=\"x/a\"/><Default Extension=\"png\" ContentType=\"image/png\"/>"),
              std::string::npos)
        << xml;
}

// Compressed on the caller's thread and on workers, entries given whole and
// batches made on the workers (a long one deflated as it is written): every
// entry back, in order; a batch that throws fails the archive, with the
// batches after it dropped.
TEST(ZipWriter, AnotherReaderGetsEveryEntryBack)
{
    std::vector<std::pair<std::string, std::string>> entries{{"[Content_Types].xml", "<Types/>"}, {"empty", ""}};
    std::string big;
    for (int i = 0; i < 300000; ++i) big += static_cast<char>('a' + (i * 7) % 26);
    entries.emplace_back("word/média.xml", big);  // a UTF-8 name
    for (int i = 0; i < 150; ++i) entries.emplace_back("p/" + std::to_string(i), std::string(i * 997 % 5000, char('a' + i % 26)));
    std::string longer;
    for (int i = 0; longer.size() < 2'500'000; ++i) longer += "<o n=\"" + std::to_string(i * 7919 % 100003) + "\"/>";
    entries.insert(entries.begin() + 5, {"ppt/long.xml", longer});  // in the first batch
    for (unsigned threads : {0u, 3u}) {
        SCOPED_TRACE(threads);
        StringSink archive;
        ZipWriter zip(archive, 6, 315532800 + 86400, threads);
        for (std::size_t first = 0; first < entries.size(); first += 5) {
            const auto group = std::span(entries).subspan(first, std::min<std::size_t>(5, entries.size() - first));
            if (first % 10 == 0)
                for (const auto& [name, data] : group) zip.add(name, data);
            else  // written as parts are, by the thread that makes them
                zip.addBatch([group](PartSink& sink) {
                    for (const auto& [name, data] : group) {
                        sink.beginEntry(name);
                        XmlWriter xml(sink);
                        for (std::size_t at = 0; at < data.size(); at += 4096) xml.raw(std::string_view(data).substr(at, 4096));
                        xml.flush();
                        sink.endEntry();
                    }
                });
        }
        zip.finish();

        // The names in order, checked for consistency by libzip; the contents.
        zip_error_t error;
        zip_t* reader = zip_open_from_source(zip_source_buffer_create(archive.bytes.data(), archive.bytes.size(), 0, &error),
                                             ZIP_CHECKCONS, &error);
        ASSERT_TRUE(reader);
        ASSERT_EQ(zip_get_num_entries(reader, 0), static_cast<zip_int64_t>(entries.size()));
        for (zip_uint64_t i = 0; i < entries.size(); ++i) EXPECT_EQ(zip_get_name(reader, i, 0), entries[i].first);
        zip_close(reader);
        for (const auto& [name, data] : entries) EXPECT_EQ(pptx::zipEntry(archive.bytes, name), data) << name;
        EXPECT_LT(archive.bytes.size(), (big.size() + longer.size()) / 2);

        ZipWriter failing(archive, 6, 0, threads);
        EXPECT_THROW(
            {
                failing.addBatch([](PartSink&) { throw std::length_error("too large"); });
                for (int i = 0; i < 40; ++i) failing.addBatch([&big](PartSink& sink) { sink.add("big", big); });
                failing.finish();
            },
            std::length_error);
        failing.dropBatches();
    }
}

// Failures at each write, and what they leave: tests/hostile/WriteFaultSweepTest;
// links and special files as targets: SmallerTest there; permissions kept:
// WordDocumentTest; a read-only target: SaveTest.
TEST(AtomicFile, RefusalsNameTheFileAndLeaveItAsItWas)
{
    testenv::TempDir dir;
    const fs::path path = dir / "deck.pptx";
    auto save = [](const fs::path& target, const std::string& bytes, bool replace = true) {
        AtomicFile file(target.string(), replace);
        file.write(bytes.data(), bytes.size());
        file.commit();
    };
    auto errorOf = [&](const fs::path& target, bool replace = true) {
        try {
            save(target, "new", replace);
        } catch (const FileError& e) {
            EXPECT_NE(std::string(e.what()).find(target.string()), std::string::npos) << e.what();
            return e.code().value();
        }
        return 0;
    };
    save(path, "old");
    EXPECT_EQ(errorOf(path, false), EEXIST);
    EXPECT_EQ(errorOf(dir.path()), EISDIR);
    EXPECT_EQ(errorOf(dir / "missing" / "x"), ENOENT);
    EXPECT_EQ(testenv::readFile(path), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
    save(path, std::string(1 << 20, 'x'));  // past the write buffer
    EXPECT_EQ(testenv::readFile(path), std::string(1 << 20, 'x'));
}

}  // namespace
