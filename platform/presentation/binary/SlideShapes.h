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

// A master's date, footer or slide-number placeholder: a field in small print.
void writeFooterPlaceholder(DrawingWriter& drawing, DeckContext& deck, PlaceholderType type, const Box& box);
// The master's title or body placeholder (PlaceholderEnum), empty: where a template puts them.
constexpr std::uint8_t kMasterTitle = 0x01, kMasterBody = 0x02;
void writeMasterTextPlaceholder(DrawingWriter& drawing, DeckContext& deck, std::uint8_t placeholder, const Box& box);

}  // namespace ppt::binary
