// A presentation as this library reads it back: slides in order, their
// shapes with geometry in points, text with its formatting, pictures,
// embedded objects, hyperlinks and notes. Enough to rebuild an object model
// of the deck and to draw a preview of it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "media/Bytes.h"

namespace pptmedia {

struct PptxHyperlink {
    std::string address;         // URL, mail or file; empty for none
    std::uint32_t targetSlideId = 0;  // a jump to a slide of this deck (0: none)
    std::size_t targetSlideIndex = 0;  // its 1-based position
    std::string action;          // ppaction://... when the link is an action
    bool empty() const { return address.empty() && targetSlideId == 0 && action.empty(); }
};

struct PptxRun {
    std::string text;      // UTF-8; a line break inside a paragraph is "\v"
    std::string fontName;  // empty: inherited
    double sizePt = 0;     // 0: inherited
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    std::string colour;  // "RRGGBB" when given as RGB
    PptxHyperlink link;
    std::string field;  // the field the run shows ("datetime1", "slidenum"), when the reader tells
};

struct PptxParagraph {
    int alignment = 1;  // PowerPoint's codes: 1 left, 2 centre, 3 right, 4 justify
    int level = 0;
    bool bullet = false;
    std::vector<PptxRun> runs;
    std::optional<PptxRun> mark;  // the paragraph end's formatting, when the reader tells
    std::string text() const;
};

enum class PptxShapeKind { Text, Placeholder, Picture, OleObject, Other };

struct PptxShape {
    PptxShapeKind kind = PptxShapeKind::Other;
    std::uint32_t id = 0;
    std::string name;
    double leftPt = 0, topPt = 0, widthPt = 0, heightPt = 0;

    std::string placeholderType;  // "body", "ftr", "sldNum", "dt", "title" ... ("obj" when unstated)
    long placeholderIndex = -1;

    // Text frame.
    bool hasTextFrame = false;
    bool wordWrap = true;
    int autoSize = 0;  // 0 none, 1 shape to fit text
    double insetLeftPt = 7.2, insetTopPt = 3.6, insetRightPt = 7.2, insetBottomPt = 3.6;
    std::vector<PptxParagraph> paragraphs;

    PptxHyperlink clickLink;  // the shape's own click action

    // Pictures (and the preview image of an embedded object).
    std::string mediaPart;
    std::string mediaContentType;
    Bytes mediaBytes;

    // Embedded or linked objects.
    std::string progId;
    bool linked = false;
    std::string linkTarget;  // the linked file
    std::string embeddedPart;
    std::string embeddedContentType;
    Bytes embeddedBytes;

    std::string text() const;  // paragraphs joined with "\r", as PowerPoint gives a frame's text
};

struct PptxSlide {
    std::uint32_t slideId = 0;
    std::string partName;
    std::string layoutPart;
    std::vector<PptxShape> shapes;
    std::vector<PptxParagraph> notes;
    std::string notesText() const;  // paragraphs joined with "\r"
};

struct PptxDeck {
    double slideWidthPt = 720;
    double slideHeightPt = 540;
    std::string masterPart;
    std::vector<PptxSlide> slides;
};

struct PptxReadOptions {
    bool loadMedia = true;  // read picture and embedded object bytes
    std::size_t maxSlides = std::numeric_limits<std::size_t>::max();
};

}  // namespace pptmedia
