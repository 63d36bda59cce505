#include "TextMeasure.h"

#include <fontconfig/fontconfig.h>
#include <hb-ot.h>
#include <hb.h>

#include <map>
#include <string>
#include <tuple>
#include <unordered_map>

namespace word {
namespace {

// Proportions of a typical sans-serif face, for when no font file is found.
constexpr double fallbackAdvance = 0.5;  // of the size, per character
constexpr double fallbackLineHeight = 1.15;
constexpr std::size_t widthCacheLimit = 50000;

struct FontKey {
    std::string family;
    bool bold;
    bool italic;
    friend bool operator<(const FontKey& a, const FontKey& b)
    {
        return std::tie(a.family, a.bold, a.italic) < std::tie(b.family, b.bold, b.italic);
    }
};

// One face, measured in its own design units and scaled to any size.
class Face {
public:
    explicit Face(const FontKey& key)
    {
        FcPattern* pattern = FcPatternCreate();
        if (!pattern) return;
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(key.family.c_str()));
        FcPatternAddInteger(pattern, FC_WEIGHT, key.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
        FcPatternAddInteger(pattern, FC_SLANT, key.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(nullptr, pattern, &result);
        FcPatternDestroy(pattern);
        if (!match) return;
        FcChar8* file = nullptr;
        int index = 0;
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
            FcPatternGetInteger(match, FC_INDEX, 0, &index);
            hb_blob_t* blob = hb_blob_create_from_file(reinterpret_cast<const char*>(file));
            hb_face_t* face = hb_face_create(blob, static_cast<unsigned>(index));
            hb_blob_destroy(blob);
            unitsPerEm_ = hb_face_get_upem(face);
            if (unitsPerEm_ > 0 && hb_face_get_glyph_count(face) > 0) {
                font_ = hb_font_create(face);  // scale: design units
                hb_position_t ascender = 0, descender = 0;
                hb_ot_metrics_get_position_with_fallback(font_, HB_OT_METRICS_TAG_HORIZONTAL_ASCENDER, &ascender);
                hb_ot_metrics_get_position_with_fallback(font_, HB_OT_METRICS_TAG_HORIZONTAL_DESCENDER, &descender);
                lineHeight_ = double(ascender - descender) / unitsPerEm_;
            }
            hb_face_destroy(face);
        }
        FcPatternDestroy(match);
        if (!(lineHeight_ > 0.5 && lineHeight_ < 4.0)) lineHeight_ = fallbackLineHeight;
        buffer_ = hb_buffer_create();
    }
    Face(const Face&) = delete;
    Face& operator=(const Face&) = delete;
    ~Face()
    {
        hb_buffer_destroy(buffer_);
        if (font_) hb_font_destroy(font_);
    }

    // Advance of the text in ems.
    double advance(std::string_view utf8)
    {
        if (utf8.empty()) return 0;
        if (auto it = cache_.find(std::string(utf8)); it != cache_.end()) return it->second;
        double ems = 0;
        if (!font_) {
            for (char c : utf8)
                if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ems += fallbackAdvance;
        } else {
            hb_buffer_clear_contents(buffer_);
            hb_buffer_add_utf8(buffer_, utf8.data(), static_cast<int>(utf8.size()), 0, static_cast<int>(utf8.size()));
            hb_buffer_guess_segment_properties(buffer_);
            hb_shape(font_, buffer_, nullptr, 0);
            unsigned count = 0;
            hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer_, &count);
            long long total = 0;
            for (unsigned i = 0; i < count; ++i) total += positions[i].x_advance;
            ems = double(total) / unitsPerEm_;
        }
        if (cache_.size() >= widthCacheLimit) cache_.clear();
        cache_.emplace(std::string(utf8), ems);
        return ems;
    }
    double lineHeight() const { return lineHeight_; }

private:
    hb_font_t* font_ = nullptr;
    hb_buffer_t* buffer_ = nullptr;
    unsigned unitsPerEm_ = 0;
    double lineHeight_ = fallbackLineHeight;
    std::unordered_map<std::string, double> cache_;
};

}  // namespace

struct TextMeasure::Impl {
    std::map<FontKey, std::unique_ptr<Face>> faces;

    Face& face(const RunFormat& format)
    {
        FontKey key{format.fontName, format.bold, format.italic};
        auto it = faces.find(key);
        if (it == faces.end()) it = faces.emplace(key, std::make_unique<Face>(key)).first;
        return *it->second;
    }
};

TextMeasure::TextMeasure() : impl_(std::make_unique<Impl>()) {}
TextMeasure::~TextMeasure() = default;

double TextMeasure::width(const RunFormat& format, std::string_view utf8)
{
    return impl_->face(format).advance(utf8) * format.points();
}

double TextMeasure::lineHeight(const RunFormat& format)
{
    return impl_->face(format).lineHeight() * format.points();
}

}  // namespace word
