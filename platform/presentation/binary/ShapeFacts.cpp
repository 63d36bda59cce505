#include "binary/ShapeFacts.h"

#include "binary/RecordTypes.h"

namespace ppt::binary {

std::optional<std::uint8_t> placeholderOf(const Record& shape)
{
    const auto data = childOf(shape, rt::ClientData);
    if (!data) return std::nullopt;
    const auto atom = childOf(*data, rt::PlaceholderAtom);
    if (!atom) return std::nullopt;
    ByteReader in = atom->reader();
    in.skip(4);  // the position
    return in.u8();
}

std::optional<AnchorEdges> anchorEdgesOf(const Record& shape)
{
    const auto anchor = childOf(shape, rt::ClientAnchor);
    if (!anchor) return std::nullopt;
    ByteReader in = anchor->reader();
    double top, left, right, bottom;
    if (anchor->body.size() >= 16) {
        top = in.i32(), left = in.i32(), right = in.i32(), bottom = in.i32();
    } else {
        top = in.i16(), left = in.i16(), right = in.i16(), bottom = in.i16();
    }
    const double unit = kMasterUnitsPerPoint;
    return AnchorEdges{left / unit, top / unit, right / unit, bottom / unit};
}

}  // namespace ppt::binary
