#include "office/package/OpcPackage.h"


#include "office/package/ReadError.h"
#include "office/package/SafeXml.h"

namespace office {
namespace {

std::string zipName(const std::string& partName)
{
    return !partName.empty() && partName.front() == '/' ? partName.substr(1) : partName;
}

std::string extensionOf(const std::string& partName)
{
    auto slash = partName.rfind('/');
    auto dot = partName.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
    return lowerAscii(partName.substr(dot + 1));
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string percentDecode(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 && hexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// Every segment, empty ones included: "/a/b" -> {"", "a", "b"}, "" -> {""}.
std::vector<std::string> splitPath(std::string_view path)
{
    std::vector<std::string> parts;
    for (std::size_t start = 0;;) {
        const std::size_t slash = path.find('/', start);
        parts.emplace_back(path.substr(start, slash - start));
        if (slash == std::string_view::npos) return parts;
        start = slash + 1;
    }
}

}  // namespace

std::string relationshipPartName(const std::string& partName)
{
    if (partName.empty() || partName == "/") return "/_rels/.rels";
    auto slash = partName.rfind('/');
    return partName.substr(0, slash + 1) + "_rels/" + partName.substr(slash + 1) + ".rels";
}

std::string resolveTarget(const std::string& sourcePart, const std::string& rawTarget)
{
    std::string target = percentDecode(rawTarget);
    auto cut = target.find_first_of("#?");
    if (cut != std::string::npos) target.resize(cut);
    if (target.empty() || target.find('\\') != std::string::npos || target.find(':') != std::string::npos) return "";
    std::vector<std::string> stack;
    if (target.front() != '/') {
        std::string base = sourcePart.substr(0, sourcePart.rfind('/') + 1);
        for (auto& segment : splitPath(base))
            if (!segment.empty()) stack.push_back(segment);
    }
    for (auto& segment : splitPath(target)) {
        if (segment.empty() || segment == ".") continue;
        if (segment == "..") {
            if (stack.empty()) return "";
            stack.pop_back();
        } else {
            stack.push_back(segment);
        }
    }
    if (stack.empty()) return "";
    std::string part;
    for (auto& segment : stack) part += "/" + segment;
    return part;
}

std::string relativeTarget(const std::string& fromPart, const std::string& toPart)
{
    auto from = splitPath(fromPart);
    auto to = splitPath(toPart);
    // Drop the empty segment before the leading '/', and the source's file name.
    from.erase(from.begin());
    if (!from.empty()) from.pop_back();
    to.erase(to.begin());
    std::size_t common = 0;
    while (common < from.size() && common + 1 < to.size() && from[common] == to[common]) ++common;
    std::string result;
    for (std::size_t i = common; i < from.size(); ++i) result += "../";
    for (std::size_t i = common; i < to.size(); ++i) result += (i > common ? "/" : "") + to[i];
    return result;
}

bool isRelationshipKind(const std::string& type, std::string_view kind)
{
    return type.size() > kind.size() && type.compare(type.size() - kind.size(), kind.size(), kind) == 0 &&
           type[type.size() - kind.size() - 1] == '/';
}

OpcPackage::OpcPackage(ZipReader zip) : zip_(std::move(zip))
{
    auto entry = zip_.find("[Content_Types].xml");
    if (!entry) return;
    hasContentTypes_ = true;
    pugi::xml_document doc;
    Bytes bytes = zip_.read(*entry);
    parseXml(doc, asText(bytes), where("/[Content_Types].xml"));
    for (pugi::xml_node node : doc.document_element().children()) {
        std::string_view name = localName(node.name());
        if (name == "Default")
            defaults_[lowerAscii(node.attribute("Extension").as_string())] = node.attribute("ContentType").as_string();
        else if (name == "Override")
            overrides_[lowerAscii(node.attribute("PartName").as_string())] = node.attribute("ContentType").as_string();
    }
}

OpcPackage OpcPackage::open(const std::filesystem::path& path, const std::string& displayName, const ZipLimits& limits)
{
    return OpcPackage(ZipReader::open(path, displayName, limits));
}

std::string OpcPackage::where(const std::string& partName) const
{
    return quoteName(partName) + " in " + quoteName(displayName());
}

std::vector<std::string> OpcPackage::partNames() const
{
    std::vector<std::string> names;
    for (const ZipEntry& entry : zip_.entries()) names.push_back("/" + entry.name);
    return names;
}

bool OpcPackage::hasPart(const std::string& partName) const
{
    return zip_.contains(zipName(partName));
}

Bytes OpcPackage::readPart(const std::string& partName) const
{
    auto entry = zip_.find(zipName(partName));
    if (!entry)
        throw ReadError(ReadErrorKind::DamagedPackage,
                         "package " + quoteName(displayName()) + " lacks its part " + quoteName(partName));
    return zip_.read(*entry);
}

void OpcPackage::readXml(const std::string& partName, pugi::xml_document& doc) const
{
    Bytes bytes = readPart(partName);
    parseXml(doc, asText(bytes), where(partName));
}

std::string OpcPackage::contentType(const std::string& partName) const
{
    auto it = overrides_.find(lowerAscii(partName));
    if (it != overrides_.end()) return it->second;
    auto def = defaults_.find(extensionOf(partName));
    return def != defaults_.end() ? def->second : std::string();
}

std::vector<Relationship> OpcPackage::relationships(const std::string& sourcePart) const
{
    std::vector<Relationship> result;
    std::string relsName = relationshipPartName(sourcePart);
    if (!hasPart(relsName)) return result;
    pugi::xml_document doc;
    readXml(relsName, doc);
    std::string source = sourcePart.empty() ? "/" : sourcePart;
    for (pugi::xml_node node : doc.document_element().children()) {
        if (localName(node.name()) != "Relationship") continue;
        Relationship rel;
        rel.id = node.attribute("Id").as_string();
        rel.type = node.attribute("Type").as_string();
        rel.target = node.attribute("Target").as_string();
        rel.external = std::string_view(node.attribute("TargetMode").as_string()) == "External";
        if (!rel.external) rel.targetPart = resolveTarget(source == "/" ? "/" : source, rel.target);
        result.push_back(std::move(rel));
    }
    return result;
}

std::optional<Relationship> OpcPackage::relationship(const std::string& sourcePart, const std::string& id) const
{
    for (auto& rel : relationships(sourcePart))
        if (rel.id == id) return rel;
    return std::nullopt;
}

std::optional<Relationship> OpcPackage::firstOfKind(const std::string& sourcePart, std::string_view kind) const
{
    for (auto& rel : relationships(sourcePart))
        if (isRelationshipKind(rel.type, kind)) return rel;
    return std::nullopt;
}

}  // namespace office
