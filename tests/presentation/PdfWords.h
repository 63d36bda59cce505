// Word boxes of a PDF page as pdftotext -bbox reports them (1 pt = 1 unit).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace deck {

struct Word {
    std::string text;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};

// Words per page (index 0 = page 1).
std::vector<std::vector<Word>> pdfWords(const std::filesystem::path& pdf);
const Word* findWord(const std::vector<Word>& page, const std::string& text);

}  // namespace deck
