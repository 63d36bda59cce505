// The DocumentContainer: document atom, external objects, text environment,
// drawing group, the master, slide and notes lists, and the footers every
// slide starts from.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "binary/DeckContext.h"

namespace ppt::binary {

struct ListedSlide {
    std::uint32_t persistId;
    std::uint32_t slideId;
    std::uint32_t notesPersistId;  // 0: no notes page
    std::uint32_t notesId;
};

// Written after the slides, whose drawings, pictures and links it lists.
std::string documentRecord(DeckContext& deck, const std::vector<ListedSlide>& slides);

}  // namespace ppt::binary
