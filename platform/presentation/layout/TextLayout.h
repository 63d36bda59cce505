// Line breaking of one paragraph with real font metrics: lines break at
// spaces, a word longer than a line breaks anywhere, "\v" forces a new line,
// tabs advance to the next stop. Line height is the tallest ascent plus the
// deepest descent of the characters on the line (single spacing).
#pragma once

#include <vector>

#include "model/TextBody.h"

namespace ppt {

constexpr float kTabStop = 72.0f;       // PowerPoint's default tab stops: every inch
constexpr float kBulletIndent = 27.0f;  // text indent of a bulleted paragraph (342900 EMU)

struct LaidOutLine {
    int start = 0;  // character offsets in the body, [start, end)
    int end = 0;
    float width = 0;
    float ascent = 0;
    float descent = 0;
    float height() const { return ascent + descent; }
};

std::vector<LaidOutLine> layoutLines(const TextBody& body, int paragraph, const FrameGeometry& frame);

}  // namespace ppt
