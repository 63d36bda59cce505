// Text widths and line heights in points, from the real fonts (found by
// fontconfig through cairo: Arial resolves to Liberation Sans and so on).
// Advances scale linearly with the size, so previews and natural sizes agree.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <vector>

namespace pptmedia {

struct TextStyle {
    std::string fontName;  // empty: the default font
    double sizePt = 10;
    bool bold = false;
    bool italic = false;
};

struct FontMetrics {
    double ascentPt = 0;
    double descentPt = 0;
    double lineHeightPt = 0;  // ascent + descent + the font's line gap
};

class TextMeasure {
public:
    TextMeasure();
    TextMeasure(const TextMeasure&) = delete;
    TextMeasure& operator=(const TextMeasure&) = delete;
    ~TextMeasure();

    // Width of UTF-8 text (no line breaks considered).
    double width(std::string_view utf8, const TextStyle& style);
    // The advance of each UTF-16 code unit of `text` (the second unit of a
    // surrogate pair gets 0): what an EMF text record's dx array holds.
    std::vector<double> advances(std::u16string_view text, const TextStyle& style);
    FontMetrics metrics(const TextStyle& style);
    // The advance of one character ('\t' counts as four spaces).
    double advanceOf(char32_t cp, const TextStyle& style);

    static constexpr const char* kDefaultFont = "Liberation Sans";

private:
    struct Face;
    Face& face(const TextStyle& style);
    double advance(Face& face, char32_t cp);

    std::map<std::tuple<std::string, bool, bool>, std::unique_ptr<Face>> faces_;
};

}  // namespace pptmedia
