#include "FontCatalog.h"

#include <fontconfig/fontconfig.h>

namespace office {

FontCatalog& FontCatalog::instance()
{
    static FontCatalog catalog;
    return catalog;
}

FontCatalog::FontCatalog() { FcInit(); }

FontCatalog::~FontCatalog() = default;

std::string FontCatalog::matchFile(const std::string& family, bool bold, bool italic, int* index)
{
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) return {};
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    std::string file;
    if (match) {
        FcChar8* path = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path)
            file = reinterpret_cast<const char*>(path);
        int faceIndex = 0;
        FcPatternGetInteger(match, FC_INDEX, 0, &faceIndex);
        if (index) *index = faceIndex;
        FcPatternDestroy(match);
    }
    return file;
}

Font& FontCatalog::font(std::string_view family, bool bold, bool italic)
{
    std::string key(family);
    key += bold ? "\n1" : "\n0";
    key += italic ? '1' : '0';
    if (auto it = byStyle_.find(key); it != byStyle_.end()) return *it->second;
    int index = 0;
    const std::string file = matchFile(std::string(family), bold, italic, &index);
    const std::string fileKey = file + '#' + std::to_string(index);
    auto found = byFile_.find(fileKey);
    if (found == byFile_.end()) found = byFile_.emplace(fileKey, std::make_unique<Font>(file, index)).first;
    byStyle_.emplace(std::move(key), found->second.get());
    return *found->second;
}

}  // namespace office
