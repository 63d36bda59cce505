// What the design reader and the slide reader both read off a shape
// container (OfficeArtSpContainer): its placeholder type and its anchor.
#pragma once

#include <cstdint>
#include <optional>

#include "binary/RecordReader.h"

namespace ppt::binary {

// The anchor's edges in points, as the file gives them (possibly empty or reversed).
struct AnchorEdges {
    double left = 0, top = 0, right = 0, bottom = 0;
};

// The PlaceholderAtom's type in the shape's client data, if any.
std::optional<std::uint8_t> placeholderOf(const Record& shape);
// The client anchor, short (16-bit) or long (32-bit) as the record's size says.
std::optional<AnchorEdges> anchorEdgesOf(const Record& shape);

}  // namespace ppt::binary
