#include "TestFiles.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <stdexcept>

#include <gtest/gtest.h>
#include <zlib.h>

#include "common/TestEnv.h"
#include "media/EmfWriter.h"

namespace mediatest {
namespace {

void put32(std::string& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) out += static_cast<char>(v >> (8 * i));
}

void put16(std::string& out, unsigned v)
{
    out += static_cast<char>(v);
    out += static_cast<char>(v >> 8);
}

std::string rawDeflate(const std::string& data)
{
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&z, data.size()) + 16, '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

}  // namespace

Bytes pictureFile(const char* format, int width, int height, std::optional<int> dpi)
{
    const std::string name = std::string(format) + "-" + std::to_string(width) + "x" + std::to_string(height) +
                             (dpi ? "-" + std::to_string(*dpi) + "dpi." : ".") + format;
    return asBytes(dataFile("pictures/" + name));
}

Bytes emfPicture(double widthPt, double heightPt)
{
    pptmedia::EmfWriter emf(widthPt, heightPt);
    emf.fillRect(0, 0, widthPt, heightPt, {200, 220, 255});
    emf.line(0, 0, widthPt, heightPt, 1, {0, 0, 0});
    return emf.finish();
}

Bytes zipArchive(const std::vector<ZipMember>& members)
{
    std::string out, central;
    for (const ZipMember& m : members) {
        std::string stored = m.deflate ? rawDeflate(m.data) : m.data;
        std::uint32_t crc = m.declaredCrc.value_or(
            static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(m.data.data()), static_cast<uInt>(m.data.size()))));
        // From the flags to the extra field's length, both headers alike.
        std::string common;
        for (unsigned v : {0u, m.deflate ? 8u : 0u, 0u, 0x21u}) put16(common, v);
        for (std::uint32_t v : {crc, static_cast<std::uint32_t>(stored.size()),
                                m.declaredSize.value_or(static_cast<std::uint32_t>(m.data.size()))})
            put32(common, v);
        put16(common, static_cast<unsigned>(m.name.size()));
        put16(common, 0);
        put32(central, 0x02014b50);
        put32(central, 20 | 20 << 16);  // made by, needed
        central += common;
        for (int i = 0; i < 3; ++i) put16(central, 0);  // comment length, disk, internal attributes
        put32(central, 0);
        put32(central, static_cast<std::uint32_t>(out.size()));
        central += m.name;
        put32(out, 0x04034b50);
        put16(out, 20);
        out += common + m.name + stored;
    }
    std::uint32_t centralOffset = static_cast<std::uint32_t>(out.size());
    out += central;
    put32(out, 0x06054b50);
    for (unsigned v : {0u, 0u, static_cast<unsigned>(members.size()), static_cast<unsigned>(members.size())}) put16(out, v);
    put32(out, static_cast<std::uint32_t>(central.size()));
    put32(out, centralOffset);
    put16(out, 0);
    return asBytes(out);
}

Bytes opcPackage(const std::vector<Part>& parts, const std::vector<std::pair<std::string, std::string>>& overrides)
{
    std::string types =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
        "<Default Extension=\"png\" ContentType=\"image/png\"/>";
    for (const auto& [name, type] : overrides)
        types += "<Override PartName=\"/" + name + "\" ContentType=\"" + type + "\"/>";
    types += "</Types>";
    std::vector<ZipMember> members{{"[Content_Types].xml", types}};
    for (const Part& p : parts) members.push_back({p.name, p.content});
    return zipArchive(members);
}

std::string dataFile(const std::string& relativePath)
{
    const auto path = std::filesystem::path(ORVEL_SOURCE_DIR) / "tests/data/presentation_media" / relativePath;
    if (!std::filesystem::exists(path)) throw std::runtime_error("no test data " + path.string());
    return testenv::readFile(path);
}

Bytes folderPackage(const std::string& folder, const std::vector<Part>& replaced)
{
    const auto root = std::filesystem::path(ORVEL_SOURCE_DIR) / "tests/data/presentation_media" / folder;
    std::vector<ZipMember> members;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) continue;
        const std::string name = entry.path().lexically_relative(root).generic_string();
        auto swap = std::find_if(replaced.begin(), replaced.end(), [&](const Part& p) { return p.name == name; });
        members.push_back({name, swap != replaced.end() ? swap->content : testenv::readFile(entry.path())});
    }
    std::sort(members.begin(), members.end(), [](const ZipMember& a, const ZipMember& b) { return a.name < b.name; });
    return zipArchive(members);
}

Bytes docxDocument(const std::string& bodyXml, const std::string& stylesXml)
{
    const std::string ns = "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
                           "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" "
                           "xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\"";
    std::vector<Part> parts = {
        {"_rels/.rels",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships "
         "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"><Relationship Id=\"rId1\" "
         "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
         "Target=\"word/document.xml\"/></Relationships>"},
        {"word/document.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><w:document " + ns + "><w:body>" + bodyXml +
                                  "<w:sectPr/></w:body></w:document>"},
    };
    std::vector<std::pair<std::string, std::string>> overrides = {
        {"word/document.xml", "application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"}};
    if (!stylesXml.empty()) {
        parts.push_back({"word/_rels/document.xml.rels",
                         "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships "
                         "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"><Relationship "
                         "Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" "
                         "Target=\"styles.xml\"/></Relationships>"});
        parts.push_back({"word/styles.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><w:styles " + ns + ">" +
                                                stylesXml + "</w:styles>"});
        overrides.push_back(
            {"word/styles.xml", "application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml"});
    }
    return opcPackage(parts, overrides);
}

std::string docxTableXml(const std::vector<std::vector<std::string>>& cells)
{
    std::string xml = "<w:tbl>";
    for (const auto& row : cells) {
        xml += "<w:tr>";
        for (const auto& text : row) xml += "<w:tc><w:p><w:r><w:t>" + text + "</w:t></w:r></w:p></w:tc>";
        xml += "</w:tr>";
    }
    return xml + "</w:tbl>";
}

std::string asString(const Bytes& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

Bytes asBytes(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

bool containsUtf16(const Bytes& haystack, const std::string& asciiNeedle)
{
    std::string wide;
    for (char c : asciiNeedle) {
        wide += c;
        wide += '\0';
    }
    return asString(haystack).find(wide) != std::string::npos;
}

std::uint32_t le32(const Bytes& bytes, std::size_t at)
{
    return std::uint32_t(bytes.at(at)) | std::uint32_t(bytes.at(at + 1)) << 8 | std::uint32_t(bytes.at(at + 2)) << 16 |
           std::uint32_t(bytes.at(at + 3)) << 24;
}

std::vector<EmfRecord> emfRecords(const Bytes& emf)
{
    std::vector<EmfRecord> records;
    std::size_t at = 0;
    while (at + 8 <= emf.size()) {
        const std::uint32_t size = le32(emf, at + 4);
        if (size < 8 || size % 4) break;
        records.push_back({le32(emf, at), at});
        at += size;
    }
    EXPECT_EQ(at, emf.size()) << "the record chain ends at " << at;
    return records;
}

Refusal refusal(const std::function<void()>& call)
{
    try {
        call();
    } catch (const pptmedia::MediaError& e) {
        return {e.kind(), e.what(), e.hresult()};
    }
    ADD_FAILURE() << "no MediaError";
    return {};
}

}  // namespace mediatest
