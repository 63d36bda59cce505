// Drawing and shape ids of the OfficeArt drawings in a .ppt: each drawing
// takes clusters of 1024 shape ids, which the drawing group's FDGGBlock lists.
#pragma once

#include <cstdint>
#include <vector>

#include "binary/RecordStream.h"

namespace ppt::binary {

class DrawingIds {
public:
    // Drawing ids are 12 bits and 0xFFF is not one: every slide, notes page
    // and master is a drawing, so this bounds the pages of a .ppt.
    static constexpr std::uint32_t kMaxDrawings = 0xFFE;

    // Starts the next drawing; returns its id (1 ... kMaxDrawings).
    std::uint32_t beginDrawing();
    std::uint32_t nextShapeId();
    std::uint32_t shapesInDrawing() const { return shapesInDrawing_; }
    std::uint32_t lastShapeId() const { return lastShapeId_; }
    std::uint32_t drawingCount() const { return drawing_; }

    void writeFDGGBlock(RecordStream& out) const;

private:
    struct Cluster {
        std::uint32_t drawing;
        std::uint32_t used;
    };
    std::vector<Cluster> clusters_;
    std::uint32_t drawing_ = 0;
    std::uint32_t shapesInDrawing_ = 0;
    std::uint32_t lastShapeId_ = 0;
    std::uint32_t totalShapes_ = 0;
};

}  // namespace ppt::binary
