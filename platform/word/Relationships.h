// A relationships part (.rels): the links from one package part to others
// or to outside addresses, each under an id unique within the part.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace word {

namespace reltype {
constexpr const char* officeDocument =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument";
constexpr const char* coreProperties =
    "http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties";
constexpr const char* extendedProperties =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/extended-properties";
constexpr const char* styles = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles";
constexpr const char* settings = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/settings";
constexpr const char* fontTable = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/fontTable";
constexpr const char* image = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image";
constexpr const char* hyperlink = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/hyperlink";
}  // namespace reltype

class Relationships {
public:
    struct Entry {
        std::string id;
        std::string type;
        std::string target;
        bool external = false;
    };

    // Adds a relationship and returns its id ("rId1", "rId2", ...).
    std::string add(std::string_view type, std::string_view target, bool external = false);
    const std::vector<Entry>& entries() const { return entries_; }
    std::string xml() const;

private:
    std::vector<Entry> entries_;
};

}  // namespace word
