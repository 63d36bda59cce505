// Laying out styled paragraphs in a given width, the way a word processor
// does: lines broken after spaces (a word wider than the width is broken
// between characters), line heights from the fonts, paragraph alignment
// and spacing. Previews of tables and slides draw what this computes, and
// natural sizes are measured with it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "media/DocxTable.h"
#include "media/EmfWriter.h"

namespace pptmedia {

// What previews draw text in when the text names no face.
inline constexpr const char* kPreviewFont = "Liberation Sans";

struct StyledSpan {
    std::string text;  // UTF-8; '\n' breaks the line, '\t' is a wide space
    EmfFont font;
};

struct BlockParagraph {
    std::vector<StyledSpan> spans;
    DocxAlignment alignment = DocxAlignment::Left;
    double spaceBeforePt = 0;
    double spaceAfterPt = 0;
    double lineSpacing = 1.0;
    EmfFont emptyFont;  // sets the height of a paragraph without text
    std::vector<DocxPicture> pictures;  // placed below the text, left-aligned
    StyledSpan bullet;   // drawn at the left edge of the first line; empty text: none
    double indentPt = 0;  // where the text's lines start
};

struct PlacedSpan {
    std::u16string text;          // ready for drawing: tabs drawn as spaces
    std::vector<double> advances;  // one per UTF-16 unit
    EmfFont font;
    double x = 0;  // from the block's left edge
};

struct PlacedLine {
    std::vector<PlacedSpan> spans;
    double baseline = 0;  // from the block's top edge
    double width = 0;
};

struct PlacedPicture {
    double x = 0, y = 0, width = 0, height = 0;
    std::shared_ptr<const Bytes> bytes;  // the picture's file; null: none
};

struct TextBlock {
    std::vector<PlacedLine> lines;
    std::vector<PlacedPicture> pictures;
    double widthPt = 0;   // the widest line or picture
    double heightPt = 0;  // top of the first line to the end of the last paragraph
};

TextBlock layoutTextBlock(const std::vector<BlockParagraph>& paragraphs, double wrapWidthPt);

// The width the paragraphs need without wrapping (widest forced line).
double unwrappedWidth(const std::vector<BlockParagraph>& paragraphs);

// Draws the block with its top-left corner at (x, y). Lines whose baseline
// lies below `clipBottom` are left out.
void drawTextBlock(EmfWriter& emf, const TextBlock& block, double x, double y, EmfColour colour,
                   double clipBottom = 1e12);

// The height of a single-spaced line in the font (ascent, descent, line gap).
double lineHeightPt(const EmfFont& font);

}  // namespace pptmedia
