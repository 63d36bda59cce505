#include "Font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include <hb-ft.h>
#include <hb.h>

#include <algorithm>
#include <cstdint>

namespace office {
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

constexpr std::size_t kWidthCacheLimit = 500000;  // entries per face, then start again
constexpr double kEstimatedAdvance = 0.5;         // per character, without a font

void addText(hb_buffer_t* buffer, std::u16string_view text)
{
    hb_buffer_add_utf16(buffer, reinterpret_cast<const std::uint16_t*>(text.data()), static_cast<int>(text.size()), 0,
                        static_cast<int>(text.size()));
}

void addText(hb_buffer_t* buffer, std::string_view text)
{
    hb_buffer_add_utf8(buffer, text.data(), static_cast<int>(text.size()), 0, static_cast<int>(text.size()));
}

struct Latin1 {
    std::string_view text;
};

void addText(hb_buffer_t* buffer, Latin1 latin1)
{
    const std::string_view text = latin1.text;
    hb_buffer_add_latin1(buffer, reinterpret_cast<const std::uint8_t*>(text.data()), static_cast<int>(text.size()), 0,
                         static_cast<int>(text.size()));
}

double estimate(Latin1 latin1) { return kEstimatedAdvance * static_cast<double>(latin1.text.size()); }

double estimate(std::u16string_view text) { return kEstimatedAdvance * static_cast<double>(text.size()); }

double estimate(std::string_view utf8)
{
    double ems = 0;
    for (char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ems += kEstimatedAdvance;
    return ems;
}

template <class Map, class View>
double remember(Map& cache, View text, double ems)
{
    if (cache.size() >= kWidthCacheLimit) cache.clear();
    cache.emplace(typename Map::key_type(text), ems);
    return ems;
}

}  // namespace

struct Font::Handles {
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

Font::Font(const std::string& file, int index) : handles_(std::make_unique<Handles>()), file_(file)
{
    if (file.empty() || FT_New_Face(freetype(), file.c_str(), index, &handles_->face) != 0) {
        handles_->face = nullptr;
        return;
    }
    FT_Face face = handles_->face;
    const double upem = face->units_per_EM ? face->units_per_EM : 2048;
    if (face->units_per_EM) {
        metrics_.ascent = face->ascender / upem;
        metrics_.descent = -face->descender / upem;
        metrics_.lineHeight = std::max(face->height / upem, metrics_.ascent + metrics_.descent);
    }

    // Unhinted advances at one pixel per font unit: widths scale linearly.
    FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(upem * 64), 72, 72);
    handles_->font = hb_ft_font_create_referenced(face);
    hb_ft_font_set_load_flags(handles_->font, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP);
    int xScale = 0, yScale = 0;
    hb_font_get_scale(handles_->font, &xScale, &yScale);
    handles_->scale = xScale > 0 ? xScale : upem * 64;
    handles_->buffer = hb_buffer_create();
}

Font::~Font() = default;

bool Font::found() const { return handles_->font != nullptr; }

template <class Text>
double Font::shaped(Text text)
{
    if (!handles_->font) return estimate(text);
    hb_buffer_t* buffer = handles_->buffer;
    hb_buffer_clear_contents(buffer);
    addText(buffer, text);
    hb_buffer_guess_segment_properties(buffer);
    hb_shape(handles_->font, buffer, nullptr, 0);
    unsigned count = 0;
    hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer, &count);
    long total = 0;
    for (unsigned i = 0; i < count; ++i) total += positions[i].x_advance;
    return static_cast<double>(total) / handles_->scale;
}

double Font::width(std::u16string_view text)
{
    if (text.empty()) return 0;
    if (auto it = widths16_.find(text); it != widths16_.end()) return it->second;
    return remember(widths16_, text, shaped(text));
}

double Font::width(std::string_view utf8)
{
    if (utf8.empty()) return 0;
    if (auto it = widths8_.find(utf8); it != widths8_.end()) return it->second;
    return remember(widths8_, utf8, shaped(utf8));
}

double Font::widthLatin1(std::string_view latin1)
{
    if (latin1.empty()) return 0;
    if (auto it = widthsLatin1_.find(latin1); it != widthsLatin1_.end()) return it->second;
    return remember(widthsLatin1_, latin1, shaped(Latin1{latin1}));
}

double Font::advance(char32_t c)
{
    if (auto it = advances_.find(c); it != advances_.end()) return it->second;
    char16_t units[2];
    std::size_t count = 1;
    if (c >= 0x10000 && c <= 0x10FFFF) {
        units[0] = static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
        units[1] = static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        count = 2;
    } else {
        units[0] = static_cast<char16_t>(c <= 0xFFFF ? c : 0xFFFD);
    }
    double ems = handles_->font ? shaped(std::u16string_view(units, count)) : kEstimatedAdvance;
    advances_.emplace(c, ems);
    return ems;
}

}  // namespace office
