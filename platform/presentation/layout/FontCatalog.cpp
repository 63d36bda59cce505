#include "layout/FontCatalog.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <hb-ft.h>
#include <hb.h>

#include <string>

#include "com/ComString.h"
#include "model/TextFormat.h"

namespace ppt {
namespace {

FT_Library freetype()
{
    // One library for the process; FreeType frees it with the faces at exit.
    static FT_Library library = [] {
        FT_Library lib = nullptr;
        FT_Init_FreeType(&lib);
        return lib;
    }();
    return library;
}

constexpr std::size_t kWordCacheLimit = 500000;  // entries per face, then start again

}  // namespace

struct FontFace::Handles {
    FT_Face face = nullptr;
    hb_font_t* font = nullptr;
    hb_buffer_t* buffer = nullptr;
    double scale = 1;  // HarfBuzz position units per em
    ~Handles()
    {
        if (buffer) hb_buffer_destroy(buffer);
        if (font) hb_font_destroy(font);
        if (face) FT_Done_Face(face);
    }
};

FontFace::FontFace(const std::string& file, int index) : handles_(std::make_unique<Handles>()), file_(file)
{
    if (file.empty() || FT_New_Face(freetype(), file.c_str(), index, &handles_->face) != 0) {
        handles_->face = nullptr;
        return;  // no font at all: keep the generic metrics, measure by an estimate
    }
    FT_Face face = handles_->face;
    const double upem = face->units_per_EM ? face->units_per_EM : 2048;

    // Unhinted advances at one pixel per font unit: widths scale linearly.
    FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(upem * 64), 72, 72);
    handles_->font = hb_ft_font_create_referenced(face);
    hb_ft_font_set_load_flags(handles_->font, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP);
    int xScale = 0, yScale = 0;
    hb_font_get_scale(handles_->font, &xScale, &yScale);
    handles_->scale = xScale > 0 ? xScale : upem * 64;
    handles_->buffer = hb_buffer_create();
}

FontFace::~FontFace() = default;

double FontFace::width(std::u16string_view text)
{
    if (text.empty()) return 0;
    if (auto it = widths_.find(text); it != widths_.end()) return it->second;
    double em = 0;
    if (handles_->font) {
        hb_buffer_t* buffer = handles_->buffer;
        hb_buffer_clear_contents(buffer);
        hb_buffer_add_utf16(buffer, reinterpret_cast<const std::uint16_t*>(text.data()),
                            static_cast<int>(text.size()), 0, static_cast<int>(text.size()));
        hb_buffer_guess_segment_properties(buffer);
        hb_shape(handles_->font, buffer, nullptr, 0);
        unsigned count = 0;
        hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer, &count);
        long total = 0;
        for (unsigned i = 0; i < count; ++i) total += positions[i].x_advance;
        em = static_cast<double>(total) / handles_->scale;
    } else {
        em = 0.5 * static_cast<double>(text.size());
    }
    if (widths_.size() >= kWordCacheLimit) widths_.clear();
    widths_.emplace(std::u16string(text), em);
    return em;
}

FontCatalog& FontCatalog::instance()
{
    static FontCatalog catalog;
    return catalog;
}

FontCatalog::FontCatalog() { FcInit(); }

FontCatalog::~FontCatalog() = default;

std::string FontCatalog::matchFile(const std::u16string& family, bool bold, bool italic, int* index)
{
    FcPattern* pattern = FcPatternCreate();
    const std::string name = com::utf16ToUtf8(family);
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
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
    FcPatternDestroy(pattern);
    return file;
}

FontFace& FontCatalog::face(std::uint16_t fontName, bool bold, bool italic)
{
    const std::uint32_t key = (static_cast<std::uint32_t>(fontName) << 2) | (bold ? 2u : 0u) | (italic ? 1u : 0u);
    if (auto it = byStyle_.find(key); it != byStyle_.end()) return *it->second;
    int index = 0;
    const std::string file = matchFile(FontNames::instance().name(fontName), bold, italic, &index);
    const std::string fileKey = file + '#' + std::to_string(index);
    auto found = byFile_.find(fileKey);
    if (found == byFile_.end()) found = byFile_.emplace(fileKey, std::make_unique<FontFace>(file, index)).first;
    byStyle_.emplace(key, found->second.get());
    return *found->second;
}

}  // namespace ppt
