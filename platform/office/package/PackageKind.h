// What kind of document a file holds, decided by its content alone: an
// Office Open XML package (by [Content_Types].xml and the officeDocument
// relationship), a legacy OLE2 compound file, or something else.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "office/package/OpcPackage.h"

namespace office {

enum class PackageKind {
    Presentation,          // .pptx / .pptm content
    PresentationTemplate,  // .potx / .potm content
    Slideshow,             // .ppsx / .ppsm content
    WordDocument,          // .docx / .docm content
    WordTemplate,          // .dotx / .dotm content
    OtherPackage,          // a zip package of another kind
    LegacyBinary,          // OLE2 compound file (97-2003 binary formats)
    Empty,
    Unknown,
};

bool isPresentationKind(PackageKind kind);
bool isWordKind(PackageKind kind);
std::string_view describe(PackageKind kind);  // "PowerPoint template", ...

// The kind of an officeDocument part from its content type.
PackageKind kindOfMainContentType(std::string_view contentType);

struct OpenedPackage {
    PackageKind kind = PackageKind::Unknown;
    std::optional<OpcPackage> package;  // set for the zip based kinds
    std::string mainPart;               // "/ppt/presentation.xml"; empty if none
};

// Opens `path` and classifies it. Unreadable or unknown content is a kind
// (Unknown, Empty, LegacyBinary), not an error; a missing file and a package
// refused as unsafe throw ReadError.
OpenedPackage openPackage(const std::filesystem::path& path, const std::string& displayName,
                          const ZipLimits& limits = {});
PackageKind probePackageKind(const std::filesystem::path& path, const std::string& displayName);
// The file starts as an OLE2 compound file does (without opening it further).
bool isLegacyBinaryFile(const std::filesystem::path& path, const std::string& displayName);
// The same for bytes in memory.
bool isCompoundFile(std::string_view bytes);

// Opens a presentation, template or slideshow package, or throws ReadError:
// LegacyBinaryFormat for a 97-2003 file, NotAPackage for anything else that
// is not PresentationML, plus the errors of openPackage.
OpenedPackage openPresentationPackage(const std::filesystem::path& path, const std::string& displayName);
// The same for WordprocessingML documents and templates.
OpenedPackage openWordPackage(const std::filesystem::path& path, const std::string& displayName);

}  // namespace office
