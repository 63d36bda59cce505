// The characters of a text frame, one byte each while every one of them is
// Latin-1 (U+0000..U+00FF), as report text nearly always is, and UTF-16 from
// the first character that is not: the text of every frame of a deck stays in
// memory until it is saved. Readers that walk the whole text take it as it is
// stored (visit), so that neither form is copied into the other per call.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <variant>

namespace ppt {

// One unit of Latin-1 text as the character it stands for.
constexpr char16_t latin1Unit(char c) { return static_cast<unsigned char>(c); }
constexpr char16_t latin1Unit(char16_t c) { return c; }

class CompactText {
public:
    std::size_t size() const
    {
        return std::visit([](const auto& units) { return units.size(); }, units_);
    }
    bool wide() const { return std::holds_alternative<std::u16string>(units_); }

    // Calls f with the text as stored: a std::string_view of Latin-1 bytes,
    // or a std::u16string_view once widened.
    template <class F>
    decltype(auto) visit(F&& f) const
    {
        if (const auto* narrow = std::get_if<std::string>(&units_)) return f(std::string_view(*narrow));
        return f(std::u16string_view(std::get<std::u16string>(units_)));
    }

    std::u16string copy(std::size_t from, std::size_t count) const
    {
        return visit([&](auto units) {
            units = units.substr(from, count);
            std::u16string out(units.size(), u'\0');
            std::transform(units.begin(), units.end(), out.begin(), [](auto c) { return latin1Unit(c); });
            return out;
        });
    }

    void insert(std::size_t pos, std::u16string_view s);

private:
    std::variant<std::string, std::u16string> units_;
};

}  // namespace ppt
