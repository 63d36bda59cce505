// Files the media tests use: checked-in pictures of each format (only the
// sizes under tests/data/presentation_media/pictures), zip archives written
// byte by byte (so a test can declare any name or size), and small
// WordprocessingML / PresentationML packages.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "media/Bytes.h"
#include "media/MediaError.h"

namespace mediatest {

using pptmedia::Bytes;

// The packages LibreOffice wrote, kept beside the validator.
inline const std::filesystem::path kSamples = std::filesystem::path(ORVEL_SHARED_DIR) / "ooxml/samples";
// The relationship type prefix, and the a:, p: and r: namespace declarations
// of the PresentationML parts the tests write.
inline const std::string kRelNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
inline const std::string kNs = "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
                               "xmlns:p=\"http://schemas.openxmlformats.org/presentationml/2006/main\" "
                               "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"";

// Checked-in pictures, one per size the tests use (see the README there).
Bytes pictureFile(const char* format, int width, int height, std::optional<int> dpi = std::nullopt);
inline Bytes pngPicture(int width, int height, std::optional<int> dpi = std::nullopt) { return pictureFile("png", width, height, dpi); }
inline Bytes jpegPicture(int width, int height, std::optional<int> dpi = std::nullopt) { return pictureFile("jpeg", width, height, dpi); }
inline Bytes gifPicture(int width, int height) { return pictureFile("gif", width, height, std::nullopt); }
Bytes emfPicture(double widthPt, double heightPt);

struct ZipMember {
    std::string name;
    std::string data;
    bool deflate = true;
    std::optional<std::uint32_t> declaredSize = std::nullopt;  // a lie in both headers
    std::optional<std::uint32_t> declaredCrc = std::nullopt;
};
Bytes zipArchive(const std::vector<ZipMember>& members);

// A package from (part name without leading '/', content) pairs, with a
// [Content_Types].xml made from `overrides` (part name -> content type)
// and the usual Defaults.
struct Part {
    std::string name;
    std::string content;
};
Bytes opcPackage(const std::vector<Part>& parts, const std::vector<std::pair<std::string, std::string>>& overrides);

// A file under tests/data/presentation_media.
std::string dataFile(const std::string& relativePath);
// Every file under tests/data/presentation_media/<folder> zipped in name
// order, the `replaced` parts' content swapped (to damage one).
Bytes folderPackage(const std::string& folder, const std::vector<Part>& replaced = {});

// A Word document whose body is `bodyXml` (w: prefix bound), with an
// optional styles part.
Bytes docxDocument(const std::string& bodyXml, const std::string& stylesXml = "");

// w:tbl markup of a table with the given cell texts (rows of cells).
std::string docxTableXml(const std::vector<std::vector<std::string>>& cells);

std::string asString(const Bytes& bytes);
Bytes asBytes(const std::string& text);
// Whether `haystack` holds `needle` as UTF-16LE text (how EMF stores text).
bool containsUtf16(const Bytes& haystack, const std::string& asciiNeedle);

// The records of an EMF file in order (a chain that misses the file's end,
// or a record size that is no multiple of 4, is a test failure).
struct EmfRecord {
    std::uint32_t type;
    std::size_t at;
};
std::vector<EmfRecord> emfRecords(const Bytes& emf);
std::uint32_t le32(const Bytes& bytes, std::size_t at);

// The MediaError `call` throws (a test failure, and kind InvalidArgument,
// when it throws none).
struct Refusal {
    pptmedia::MediaErrorKind kind = pptmedia::MediaErrorKind::InvalidArgument;
    std::string message;
    std::uint32_t hresult = 0;
};
Refusal refusal(const std::function<void()>& call);

}  // namespace mediatest
