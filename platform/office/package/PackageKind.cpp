#include "office/package/PackageKind.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <span>

#include "office/package/FileBytes.h"
#include "office/package/ReadError.h"

namespace office {
namespace {

constexpr std::array<std::uint8_t, 8> kOle2Magic = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};

bool startsWith(const Bytes& bytes, std::span<const std::uint8_t> prefix)
{
    return bytes.size() >= prefix.size() && std::memcmp(bytes.data(), prefix.data(), prefix.size()) == 0;
}

bool looksLikeZip(const Bytes& head)
{
    static constexpr std::uint8_t local[] = {'P', 'K', 3, 4}, empty[] = {'P', 'K', 5, 6};
    return startsWith(head, local) || startsWith(head, empty);
}

[[noreturn]] void legacy(const std::string& displayName, std::string_view saveAs)
{
    throw ReadError(ReadErrorKind::LegacyBinaryFormat,
                     "file " + quoteName(displayName) +
                         " is in the legacy binary format of Office 97-2003, which is not supported: save it as " +
                         std::string(saveAs));
}

}  // namespace

bool isPresentationKind(PackageKind kind)
{
    return kind == PackageKind::Presentation || kind == PackageKind::PresentationTemplate ||
           kind == PackageKind::Slideshow;
}

bool isWordKind(PackageKind kind)
{
    return kind == PackageKind::WordDocument || kind == PackageKind::WordTemplate;
}

std::string_view describe(PackageKind kind)
{
    switch (kind) {
    case PackageKind::Presentation: return "PowerPoint presentation";
    case PackageKind::PresentationTemplate: return "PowerPoint template";
    case PackageKind::Slideshow: return "PowerPoint slide show";
    case PackageKind::WordDocument: return "Word document";
    case PackageKind::WordTemplate: return "Word template";
    case PackageKind::OtherPackage: return "zip package";
    case PackageKind::LegacyBinary: return "legacy binary Office file";
    case PackageKind::Empty: return "empty file";
    case PackageKind::Unknown: return "file of unknown content";
    }
    return "file";
}

PackageKind kindOfMainContentType(std::string_view type)
{
    struct Known {
        std::string_view contentType;
        PackageKind kind;
    };
    static constexpr Known known[] = {
        {"application/vnd.openxmlformats-officedocument.presentationml.presentation.main+xml", PackageKind::Presentation},
        {"application/vnd.ms-powerpoint.presentation.macroEnabled.main+xml", PackageKind::Presentation},
        {"application/vnd.openxmlformats-officedocument.presentationml.template.main+xml", PackageKind::PresentationTemplate},
        {"application/vnd.ms-powerpoint.template.macroEnabled.main+xml", PackageKind::PresentationTemplate},
        {"application/vnd.openxmlformats-officedocument.presentationml.slideshow.main+xml", PackageKind::Slideshow},
        {"application/vnd.ms-powerpoint.slideshow.macroEnabled.main+xml", PackageKind::Slideshow},
        {"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml", PackageKind::WordDocument},
        {"application/vnd.ms-word.document.macroEnabled.main+xml", PackageKind::WordDocument},
        {"application/vnd.openxmlformats-officedocument.wordprocessingml.template.main+xml", PackageKind::WordTemplate},
        {"application/vnd.ms-word.template.macroEnabledTemplate.main+xml", PackageKind::WordTemplate},
    };
    for (const Known& k : known)
        if (k.contentType == type) return k.kind;
    return PackageKind::OtherPackage;
}

OpenedPackage openPackage(const std::filesystem::path& path, const std::string& displayName, const ZipLimits& limits)
{
    OpenedPackage opened;
    Bytes head = readFileHead(path, displayName, kOle2Magic.size());
    if (head.empty()) {
        opened.kind = PackageKind::Empty;
        return opened;
    }
    if (startsWith(head, kOle2Magic)) {
        opened.kind = PackageKind::LegacyBinary;
        return opened;
    }
    if (!looksLikeZip(head)) return opened;
    try {
        OpcPackage package = OpcPackage::open(path, displayName, limits);
        opened.kind = PackageKind::OtherPackage;
        if (package.hasContentTypes()) {
            auto main = package.firstOfKind("/", "officeDocument");
            if (main && !main->targetPart.empty() && package.hasPart(main->targetPart)) {
                opened.mainPart = main->targetPart;
                opened.kind = kindOfMainContentType(package.contentType(main->targetPart));
            }
        }
        opened.package.emplace(std::move(package));
    } catch (const ReadError& e) {
        if (e.kind() == ReadErrorKind::UnsafePackage) throw;
        opened.kind = PackageKind::Unknown;
    }
    return opened;
}

PackageKind probePackageKind(const std::filesystem::path& path, const std::string& displayName)
{
    return openPackage(path, displayName).kind;
}

bool isLegacyBinaryFile(const std::filesystem::path& path, const std::string& displayName)
{
    return startsWith(readFileHead(path, displayName, kOle2Magic.size()), kOle2Magic);
}

bool isCompoundFile(std::string_view bytes)
{
    return bytes.size() >= kOle2Magic.size() && std::equal(kOle2Magic.begin(), kOle2Magic.end(), bytes.begin(),
                                                            [](std::uint8_t m, char b) { return m == static_cast<std::uint8_t>(b); });
}

OpenedPackage openPresentationPackage(const std::filesystem::path& path, const std::string& displayName)
{
    OpenedPackage opened = openPackage(path, displayName);
    if (isPresentationKind(opened.kind)) return opened;
    if (opened.kind == PackageKind::LegacyBinary) legacy(displayName, "an Office Open XML presentation (.pptx) or template (.potx)");
    throw ReadError(ReadErrorKind::NotAPackage, "file " + quoteName(displayName) +
                                                      " is not a PowerPoint presentation or template (it is a " +
                                                      std::string(describe(opened.kind)) + ")");
}

OpenedPackage openWordPackage(const std::filesystem::path& path, const std::string& displayName)
{
    OpenedPackage opened = openPackage(path, displayName);
    if (isWordKind(opened.kind)) return opened;
    if (opened.kind == PackageKind::LegacyBinary) legacy(displayName, "an Office Open XML document (.docx)");
    throw ReadError(ReadErrorKind::NotAPackage, "file " + quoteName(displayName) + " is not a Word document (it is a " +
                                                      std::string(describe(opened.kind)) + ")");
}

}  // namespace office
