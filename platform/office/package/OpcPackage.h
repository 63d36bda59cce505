// An Office Open XML package read through ZipReader: part names ("/ppt/
// presentation.xml", case-insensitive), content types, and relationships
// with their targets resolved to part names.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

#include "office/package/ZipReader.h"

namespace office {

struct Relationship {
    std::string id;
    std::string type;        // full relationship type URI
    std::string target;      // as written
    bool external = false;   // TargetMode="External"
    std::string targetPart;  // resolved part name; empty when external or invalid
};

class OpcPackage {
public:
    explicit OpcPackage(ZipReader zip);
    static OpcPackage open(const std::filesystem::path& path, const std::string& displayName,
                           const ZipLimits& limits = {});

    const std::string& displayName() const { return zip_.displayName(); }
    const ZipReader& zip() const { return zip_; }
    // Whether the package has a [Content_Types].xml part at all.
    bool hasContentTypes() const { return hasContentTypes_; }

    std::vector<std::string> partNames() const;
    bool hasPart(const std::string& partName) const;
    // Throws ReadError(DamagedPackage) naming the missing part.
    Bytes readPart(const std::string& partName) const;
    void readXml(const std::string& partName, pugi::xml_document& doc) const;
    // The part's content type from its Override or its extension's Default;
    // "" when it has none.
    std::string contentType(const std::string& partName) const;

    // Relationships of a part ("/" for the package's own); none when the part
    // has no relationship part.
    std::vector<Relationship> relationships(const std::string& sourcePart) const;
    std::optional<Relationship> relationship(const std::string& sourcePart, const std::string& id) const;
    // First relationship whose type ends in "/<kind>" ("officeDocument").
    std::optional<Relationship> firstOfKind(const std::string& sourcePart, std::string_view kind) const;

    // "'/ppt/slides/slide1.xml' in 'deck.pptx'", for messages.
    std::string where(const std::string& partName) const;

private:
    ZipReader zip_;
    bool hasContentTypes_ = false;
    std::map<std::string, std::string> defaults_;   // lower-case extension -> type
    std::map<std::string, std::string> overrides_;  // lower-case part name -> type
};

// "/ppt/slides/slide1.xml" -> "/ppt/slides/_rels/slide1.xml.rels"; "/" -> "/_rels/.rels".
std::string relationshipPartName(const std::string& partName);
// A relationship target resolved against its source part; "" when it climbs
// above the package root or is otherwise unusable.
std::string resolveTarget(const std::string& sourcePart, const std::string& target);
// The relative target that leads from `fromPart` to `toPart`.
std::string relativeTarget(const std::string& fromPart, const std::string& toPart);
// Whether a relationship type names `kind` as its last segment.
bool isRelationshipKind(const std::string& type, std::string_view kind);

}  // namespace office
