// The slides of a .ppt as a PresentationML reader gives them (PptxDeck), so
// that Open and the preview of an embedded presentation treat both formats
// alike: slides in the order the document lists them with their ids, text
// boxes with position, size, wrap and autosize, paragraphs and runs with
// their links, pictures, embedded objects with their files and previews,
// the footer placeholders the slide's header and footer settings show, and
// the notes text. Every count and length a file gives is checked; a slide,
// text or picture listed again is read once.
#pragma once

#include "binary/PowerPointFile.h"
#include "template/PptxDeck.h"

namespace ppt::binary {

// Throws FormatError saying what is wrong.
pptmedia::PptxDeck readSlides(const PowerPointStreams& streams, const pptmedia::PptxReadOptions& options = {});

}  // namespace ppt::binary
