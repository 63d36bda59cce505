// Character and paragraph formatting as stored in a text body's run maps:
// small values compared as a whole, so that equal neighbours merge.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace ppt {

// Font names are interned: a run holds a small number, not a string.
class FontNames {
public:
    static FontNames& instance();
    std::uint16_t intern(const std::u16string& name);
    const std::u16string& name(std::uint16_t id) const { return chunks_[id / kChunk][id % kChunk]; }

private:
    FontNames();
    // Names sit in chunks that never move, and the chunk list never grows
    // past what it reserved: a slide written on another thread reads names
    // while new ones are added.
    static constexpr std::size_t kChunk = 256;
    std::vector<std::unique_ptr<std::u16string[]>> chunks_;
    std::size_t count_ = 0;
    std::unordered_map<std::u16string, std::uint16_t> ids_;
};

// A line break inside a paragraph: the object model's vertical tab, or a newline.
constexpr bool isLineBreak(char16_t c) { return c == u'\v' || c == u'\n'; }

constexpr float kDefaultFontSize = 18.0f;  // the built-in design's text size
constexpr std::uint16_t kDefaultFontName = 0;  // "Arial", interned first

struct CharFormat {
    float size = kDefaultFontSize;
    std::uint16_t font = kDefaultFontName;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    // Hyperlinks on a mouse click / mouse over: 1-based index into the shape
    // tree's link table, 0 for none.
    std::uint32_t clickLink = 0;
    std::uint32_t overLink = 0;

    friend bool operator==(const CharFormat&, const CharFormat&) = default;
};

enum class Align : std::uint8_t { Left = 1, Center = 2, Right = 3, Justify = 4 };

struct ParaFormat {
    Align align = Align::Left;
    bool bullet = false;

    friend bool operator==(const ParaFormat&, const ParaFormat&) = default;
};

}  // namespace ppt
