// Preview pictures of embedded documents, drawn as vector EMF: what an
// embedded object shows on a slide until it is opened.
#pragma once

#include <string>

#include "media/Bytes.h"
#include "media/DocxTable.h"
#include "media/TableLayout.h"

namespace pptmedia {

struct PptxDeck;

struct Preview {
    Bytes emf;  // a complete EMF file ("image/x-emf")
    double widthPt = 0;
    double heightPt = 0;
};

struct TableSize {
    double widthPt = 0;
    double heightPt = 0;
};

// The grid of a Word table with each cell's text at its fonts and sizes,
// drawn at the table's natural size.
Preview drawTablePreview(const DocxTable& table, const TableLayoutDefaults& defaults = {});
// The size the table takes at the font sizes it holds.
TableSize tableNaturalSize(const DocxTable& table, const TableLayoutDefaults& defaults = {});

// The first slide's texts, top to bottom, on a frame of the slide's shape.
Preview drawPresentationPreview(const PptxDeck& deck);

// A framed label with the file's name (its directory left out).
Preview drawFilePreview(const std::string& fileName);

}  // namespace pptmedia
