// The fonts that text is measured with: fontconfig finds the face for a
// family name and style (Arial, Times New Roman and Courier New resolve to
// the metric-compatible Liberation fonts through fontconfig's aliases),
// FreeType loads it and gives the unhinted advances HarfBuzz shapes with.
// Faces and the widths of words already measured are kept for the process.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

namespace ppt {

// Hash and equality that accept a string view, so lookups copy nothing.
struct U16Hash {
    using is_transparent = void;
    std::size_t operator()(std::u16string_view s) const { return std::hash<std::u16string_view>{}(s); }
};
struct U16Equal {
    using is_transparent = void;
    bool operator()(std::u16string_view a, std::u16string_view b) const { return a == b; }
};

class FontFace {
public:
    FontFace(const std::string& file, int index);
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;
    ~FontFace();

    // Shaped advance width of the text, in ems.
    double width(std::u16string_view text);
    const std::string& file() const { return file_; }

private:
    struct Handles;
    std::unique_ptr<Handles> handles_;
    std::string file_;
    std::unordered_map<std::u16string, double, U16Hash, U16Equal> widths_;
};

class FontCatalog {
public:
    static FontCatalog& instance();
    FontCatalog(const FontCatalog&) = delete;
    FontCatalog& operator=(const FontCatalog&) = delete;
    ~FontCatalog();

    // The face for an interned font name (see FontNames) and style.
    FontFace& face(std::uint16_t fontName, bool bold, bool italic);
    // The file fontconfig chose for a family and style ("" when none).
    std::string matchFile(const std::u16string& family, bool bold, bool italic, int* index = nullptr);

private:
    FontCatalog();
    std::unordered_map<std::uint32_t, FontFace*> byStyle_;
    std::unordered_map<std::string, std::unique_ptr<FontFace>> byFile_;
};

}  // namespace ppt
