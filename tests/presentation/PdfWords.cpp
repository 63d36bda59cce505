#include "PdfWords.h"

#include <regex>

#include "common/PackageCheck.h"

namespace deck {

std::vector<std::vector<Word>> pdfWords(const std::filesystem::path& pdf)
{
    std::vector<std::vector<Word>> pages;
    const std::string xhtml = testenv::pdfWordBoxes(pdf);
    static const std::regex token(R"re(<page\b|<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    for (auto it = std::sregex_iterator(xhtml.begin(), xhtml.end(), token); it != std::sregex_iterator(); ++it) {
        const std::smatch& m = *it;
        if (m[0].str().rfind("<page", 0) == 0) {
            pages.emplace_back();
            continue;
        }
        if (pages.empty()) pages.emplace_back();
        pages.back().push_back(Word{m[5].str(), std::stod(m[1].str()), std::stod(m[2].str()), std::stod(m[3].str()),
                                    std::stod(m[4].str())});
    }
    return pages;
}

const Word* findWord(const std::vector<Word>& page, const std::string& text)
{
    for (const Word& w : page)
        if (w.text == text) return &w;
    return nullptr;
}

}  // namespace deck
