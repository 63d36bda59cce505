// How the storage of a text frame grows. The text, paragraphs and runs of
// every frame stay in memory until the deck is saved, so a small one grows by
// a quarter rather than doubling (which std::vector and std::basic_string do,
// the string even on reserve): still amortized, with far less room left
// unused. A large one doubles, as copying it costs more then.
#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace ppt {

// Makes room for `needed` elements in a std::vector or std::basic_string, so
// that adding them allocates nothing more.
template <class Container>
void makeRoom(Container& units, std::size_t needed)
{
    constexpr std::size_t kSmallBytes = 32768;
    if (needed <= units.capacity()) return;
    const std::size_t size = units.size();
    const bool small = size * sizeof(units[0]) < kSmallBytes;
    Container grown;
    grown.reserve(std::max(needed, small ? size + size / 4 : 2 * size));
    grown.insert(grown.end(), std::make_move_iterator(units.begin()), std::make_move_iterator(units.end()));
    units.swap(grown);
}

}  // namespace ppt
