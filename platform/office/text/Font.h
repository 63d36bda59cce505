// One font file as text is measured with it: FreeType loads the face and
// gives its vertical metrics, HarfBuzz shapes text with the face's unhinted
// advances. Everything is in ems (multiply by the size in points): widths
// scale linearly, so one face serves every size. Widths already measured
// are kept, as a document repeats its words.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

namespace office {

// Vertical metrics in ems, as the face's horizontal header gives them. A
// missing font gets the proportions of a typical sans-serif face.
struct FontMetrics {
    double ascent = 0.9;
    double descent = 0.25;
    double lineHeight = 1.15;  // ascent + descent + the face's line gap
};

// Hash and equality that accept a view, so that lookups copy nothing.
template <class Char>
struct ViewHash {
    using is_transparent = void;
    std::size_t operator()(std::basic_string_view<Char> s) const
    {
        return std::hash<std::basic_string_view<Char>>{}(s);
    }
};
template <class Char>
struct ViewEqual {
    using is_transparent = void;
    bool operator()(std::basic_string_view<Char> a, std::basic_string_view<Char> b) const { return a == b; }
};

class Font {
public:
    // An empty or unreadable file makes a font that estimates: half an em
    // per character.
    Font(const std::string& file, int index);
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    ~Font();

    // Shaped advance width of text on one line.
    double width(std::u16string_view text);
    double width(std::string_view utf8);
    // The same for text of one byte per character, U+0000..U+00FF.
    double widthLatin1(std::string_view latin1);
    // The advance of one character shaped alone (what a glyph-by-glyph
    // drawing places it with).
    double advance(char32_t c);

    const FontMetrics& metrics() const { return metrics_; }
    const std::string& file() const { return file_; }
    bool found() const;

private:
    struct Handles;
    template <class Text>
    double shaped(Text text);

    std::unique_ptr<Handles> handles_;
    std::string file_;
    FontMetrics metrics_;
    std::unordered_map<std::u16string, double, ViewHash<char16_t>, ViewEqual<char16_t>> widths16_;
    std::unordered_map<std::string, double, ViewHash<char>, ViewEqual<char>> widths8_;
    std::unordered_map<std::string, double, ViewHash<char>, ViewEqual<char>> widthsLatin1_;
    std::unordered_map<char32_t, double> advances_;
};

}  // namespace office
