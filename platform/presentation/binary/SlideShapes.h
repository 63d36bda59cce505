// The shapes of a slide, master or notes page as OfficeArt shapes: text
// boxes, placeholders, pictures and embedded objects, with their links.
#pragma once

#include "binary/DeckContext.h"
#include "binary/ShapeRecords.h"

namespace ppt::binary {

enum class Page { Slide, Master, Notes };
// Every shape of the tree, in order. Placeholders of a notes page keep
// their kind, a slide's are written as text boxes, and a master's are left
// to writeFooterPlaceholder.
void writeShapes(DrawingWriter& drawing, DeckContext& deck, ShapeTree& tree, Page page);

// A date, footer or slide-number placeholder of the master or of a slide: a
// field in small print.
void writeFooterPlaceholder(DrawingWriter& drawing, DeckContext& deck, PlaceholderType type);

}  // namespace ppt::binary
