// Line breaking of one paragraph with real font metrics: widths come from
// the shaped text, lines break at spaces, a word longer than a line breaks
// anywhere, "\v" forces a new line, tabs advance to the next stop.
//
// Line height: single spacing in this format is font independent. PowerPoint
// and LibreOffice (which lays out .pptx text with fixed cell heights) give a
// line 1.2 times the size of its largest font, whatever the face: Liberation
// Sans, Serif and Mono at 10 to 40 pt all measure 1.20 in LibreOffice's PDF,
// where the faces' own ascent + descent (hhea = OS/2 win) would give 1.107 to
// 1.117; so does DejaVu Math TeX Gyre, whose hhea extent is 4.27 em. The
// baseline sits one font size below the top of the line.
#pragma once

#include <vector>

#include "model/TextBody.h"

namespace ppt {

constexpr float kTabStop = 72.0f;       // PowerPoint's default tab stops: every inch
constexpr float kBulletIndent = 27.0f;  // text indent of a bulleted paragraph (342900 EMU)
constexpr float kLineHeight = 1.2f;     // in font sizes
constexpr float kLineAscent = 1.0f;

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
