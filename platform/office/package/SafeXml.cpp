#include "office/package/SafeXml.h"

#include "office/package/ReadError.h"

namespace office {
namespace {

bool containsNoCase(std::string_view text, std::string_view word)
{
    if (word.size() > text.size()) return false;
    for (std::size_t i = 0; i + word.size() <= text.size(); ++i) {
        if (text[i] != '<') continue;
        bool match = true;
        for (std::size_t k = 0; k < word.size() && match; ++k) {
            char c = text[i + k];
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
            match = c == word[k];
        }
        if (match) return true;
    }
    return false;
}

bool hasDoctype(const pugi::xml_node& root)
{
    for (pugi::xml_node child : root.children())
        if (child.type() == pugi::node_doctype) return true;
    return false;
}

}  // namespace

std::string_view localName(std::string_view qualified)
{
    auto colon = qualified.find(':');
    return colon == std::string_view::npos ? qualified : qualified.substr(colon + 1);
}

void parseXml(pugi::xml_document& doc, std::string_view bytes, const std::string& where)
{
    // Office parts never declare a document type; one here is an attack.
    if (containsNoCase(bytes, "<!DOCTYPE") || containsNoCase(bytes, "<!ENTITY"))
        throw ReadError(ReadErrorKind::UnsafePackage,
                         "part " + where + " is refused: it declares a document type or entities");
    // parse_doctype keeps a declaration as a node, so one that reached us in
    // an encoding the byte scan cannot see is still found.
    unsigned options = pugi::parse_default | pugi::parse_doctype | pugi::parse_ws_pcdata_single;
    pugi::xml_parse_result result = doc.load_buffer(bytes.data(), bytes.size(), options);
    if (!result)
        throw ReadError(ReadErrorKind::DamagedPackage, "part " + where + " is not well-formed XML (" +
                                                             result.description() + " at offset " +
                                                             std::to_string(result.offset) + ")");
    if (hasDoctype(doc)) {
        doc.reset();
        throw ReadError(ReadErrorKind::UnsafePackage,
                         "part " + where + " is refused: it declares a document type or entities");
    }
}

}  // namespace office
