// The fonts of the process: fontconfig finds the file for a family name and
// style (Arial, Times New Roman and Courier New resolve to the
// metric-compatible Liberation fonts through fontconfig's aliases, unknown
// families to its default), and each file is loaded once, whatever names
// lead to it.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "Font.h"

namespace office {

class FontCatalog {
public:
    static FontCatalog& instance();
    FontCatalog(const FontCatalog&) = delete;
    FontCatalog& operator=(const FontCatalog&) = delete;
    ~FontCatalog();

    // The font for a family (UTF-8) and style; never fails.
    Font& font(std::string_view family, bool bold, bool italic);
    // The file fontconfig chooses for a family and style ("" when none).
    static std::string matchFile(const std::string& family, bool bold, bool italic, int* index = nullptr);

private:
    FontCatalog();
    std::unordered_map<std::string, Font*, ViewHash<char>, ViewEqual<char>> byStyle_;
    std::unordered_map<std::string, std::unique_ptr<Font>> byFile_;
};

}  // namespace office
