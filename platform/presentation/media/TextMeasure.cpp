#include "media/TextMeasure.h"

#include <algorithm>

#include <cairo.h>

#include "office/package/Unicode.h"

namespace pptmedia {
namespace {

// Fonts are measured at this size and scaled: large enough that rounding
// in the font's units does not show.
constexpr double kReferenceSize = 1000.0;

}  // namespace

struct TextMeasure::Face {
    cairo_scaled_font_t* font = nullptr;
    FontMetrics metricsAtReference;
    std::unordered_map<char32_t, double> advanceAtReference;

    Face(const std::string& family, bool bold, bool italic)
    {
        cairo_font_face_t* fontFace =
            cairo_toy_font_face_create(family.c_str(), italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                                       bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
        cairo_matrix_t size, identity;
        cairo_matrix_init_scale(&size, kReferenceSize, kReferenceSize);
        cairo_matrix_init_identity(&identity);
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
        font = cairo_scaled_font_create(fontFace, &size, &identity, options);
        cairo_font_options_destroy(options);
        cairo_font_face_destroy(fontFace);
        cairo_font_extents_t extents;
        cairo_scaled_font_extents(font, &extents);
        if (cairo_scaled_font_status(font) == CAIRO_STATUS_SUCCESS)
            metricsAtReference = {extents.ascent, extents.descent, std::max(extents.height, extents.ascent + extents.descent)};
        else
            metricsAtReference = {0.9 * kReferenceSize, 0.25 * kReferenceSize, 1.15 * kReferenceSize};
    }
    Face(const Face&) = delete;
    Face& operator=(const Face&) = delete;
    ~Face() { cairo_scaled_font_destroy(font); }
};

TextMeasure::TextMeasure() = default;
TextMeasure::~TextMeasure() = default;

TextMeasure::Face& TextMeasure::face(const TextStyle& style)
{
    auto key = std::make_tuple(style.fontName.empty() ? std::string(kDefaultFont) : style.fontName, style.bold, style.italic);
    auto it = faces_.find(key);
    if (it == faces_.end())
        it = faces_.emplace(key, std::make_unique<Face>(std::get<0>(key), style.bold, style.italic)).first;
    return *it->second;
}

double TextMeasure::advance(Face& f, char32_t cp)
{
    auto it = f.advanceAtReference.find(cp);
    if (it != f.advanceAtReference.end()) return it->second;
    double value = 0;
    if (cp >= 0x20 && cp != 0x7F) {
        std::string utf8 = office::utf32ToUtf8(std::u32string_view(&cp, 1));
        cairo_text_extents_t extents;
        cairo_scaled_font_text_extents(f.font, utf8.c_str(), &extents);
        if (cairo_scaled_font_status(f.font) == CAIRO_STATUS_SUCCESS) value = extents.x_advance;
    } else if (cp == U'\t') {
        value = 4 * advance(f, U' ');
    }
    f.advanceAtReference.emplace(cp, value);
    return value;
}

double TextMeasure::width(std::string_view utf8, const TextStyle& style)
{
    Face& f = face(style);
    double total = 0;
    for (char32_t cp : office::utf8ToUtf32(utf8)) total += advance(f, cp);
    return total * style.sizePt / kReferenceSize;
}

std::vector<double> TextMeasure::advances(std::u16string_view text, const TextStyle& style)
{
    Face& f = face(style);
    std::vector<double> result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        bool pair = cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
        if (pair) cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
        result.push_back(advance(f, cp) * style.sizePt / kReferenceSize);
        if (pair) {
            result.push_back(0);
            ++i;
        }
    }
    return result;
}

double TextMeasure::advanceOf(char32_t cp, const TextStyle& style)
{
    return advance(face(style), cp) * style.sizePt / kReferenceSize;
}

FontMetrics TextMeasure::metrics(const TextStyle& style)
{
    const FontMetrics& m = face(style).metricsAtReference;
    double k = style.sizePt / kReferenceSize;
    return {m.ascentPt * k, m.descentPt * k, m.lineHeightPt * k};
}

}  // namespace pptmedia
