#include "PackageParts.h"

#include <algorithm>

#include "common/PackageReader.h"

namespace regtest {

std::map<std::string, std::string> readParts(const std::filesystem::path& package,
                                             std::initializer_list<const char*> prefixes)
{
    std::map<std::string, std::string> parts = pptx::readZip(package);
    if (prefixes.size() == 0) return parts;
    std::erase_if(parts, [&](const auto& part) {
        return std::none_of(prefixes.begin(), prefixes.end(), [&](const char* p) { return part.first.starts_with(p); });
    });
    return parts;
}

std::map<std::string, std::string> slideParts(const std::filesystem::path& package)
{
    return readParts(package, {"ppt/slides/", "ppt/notesSlides/", "ppt/media/"});
}

}  // namespace regtest
