#include "binary/DrawingIds.h"

#include "binary/FormatLimit.h"
#include "binary/RecordTypes.h"

namespace ppt::binary {
namespace {
constexpr std::uint32_t kClusterSize = 1024;
constexpr std::uint32_t kShapeIdLimit = 0x03FFD7FF;
}  // namespace

std::uint32_t DrawingIds::beginDrawing()
{
    if (drawing_ == kMaxDrawings)
        throw FormatLimit("the presentation has more slides, notes pages and masters than the 4,094 a .ppt file holds");
    ++drawing_;
    shapesInDrawing_ = 0;
    return drawing_;
}

std::uint32_t DrawingIds::nextShapeId()
{
    if (shapesInDrawing_ == 0 || clusters_.back().used == kClusterSize) {
        if ((clusters_.size() + 2) * kClusterSize >= kShapeIdLimit)
            throw FormatLimit("the presentation has more shapes than the about 67 million a .ppt file numbers");
        clusters_.push_back({drawing_, 0});
    }
    Cluster& cluster = clusters_.back();
    lastShapeId_ = static_cast<std::uint32_t>(clusters_.size()) * kClusterSize + cluster.used;
    ++cluster.used;
    ++shapesInDrawing_;
    ++totalShapes_;
    return lastShapeId_;
}

void DrawingIds::writeFDGGBlock(RecordStream& out) const
{
    auto block = out.atom(rt::FDGGBlock);
    out.u32(static_cast<std::uint32_t>(clusters_.size() + 1) * kClusterSize);  // spidMax: the first id never handed out
    out.u32(static_cast<std::uint32_t>(clusters_.size() + 1));
    out.u32(totalShapes_);
    out.u32(drawing_);
    for (const Cluster& cluster : clusters_) {
        out.u32(cluster.drawing);
        out.u32(cluster.used);
    }
}

}  // namespace ppt::binary
