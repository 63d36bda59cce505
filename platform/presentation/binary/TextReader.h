// The text of a shape in a .ppt, from the atoms of its client textbox (or
// of the slide list, where placeholders keep theirs): the characters cut
// into paragraphs with their alignment, bullet and level, and into runs
// with their face, size, bold, italic, underline and click hyperlink.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "binary/RecordReader.h"
#include "template/PptxDeck.h"

namespace ppt::binary {

// Counts one item against the budget; FormatError when it is spent.
void spend(std::size_t& budget);

struct TextSources {
    const std::vector<std::string>& fonts;  // the font collection by index
    // The target of a hyperlink id of the document's object list.
    std::function<pptmedia::PptxHyperlink(std::uint32_t hyperlinkId)> hyperlink;
    // How many more slides, shapes, paragraphs and runs the reader may make.
    std::size_t& budget;
};

// atoms: the records of one text, from its TextHeaderAtom on; the
// paragraphs are empty when they hold no characters atom. Throws
// FormatError for runs that do not fit their atom and past the budget.
std::vector<pptmedia::PptxParagraph> readTextAtoms(const std::vector<Record>& atoms, const TextSources& sources);

}  // namespace ppt::binary
