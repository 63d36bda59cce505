#include "model/CompactText.h"

#include "model/Growth.h"

namespace ppt {
namespace {

bool isLatin1(std::u16string_view s)
{
    return std::all_of(s.begin(), s.end(), [](char16_t c) { return c <= 0xFF; });
}

}  // namespace

void CompactText::insert(std::size_t pos, std::u16string_view s)
{
    if (auto* narrow = std::get_if<std::string>(&units_)) {
        if (isLatin1(s)) {
            makeRoom(*narrow, narrow->size() + s.size());
            narrow->insert(pos, s.size(), '\0');
            std::transform(s.begin(), s.end(), narrow->begin() + static_cast<std::ptrdiff_t>(pos),
                           [](char16_t c) { return static_cast<char>(c); });
            return;
        }
        // The first character beyond Latin-1: the whole text widens, once.
        std::u16string wide;
        wide.reserve(std::max(narrow->size() + s.size(), narrow->size() + narrow->size() / 4));
        for (char c : *narrow) wide.push_back(latin1Unit(c));
        units_ = std::move(wide);
    }
    auto& wide = std::get<std::u16string>(units_);
    makeRoom(wide, wide.size() + s.size());
    wide.insert(pos, s);
}

}  // namespace ppt
