// The tables of a Word document as this library reads them: rows, cells,
// paragraphs with formatted runs, and the sizes the document asks for.
// Formatting is resolved (document defaults, styles, direct formatting), so
// every run carries the font it is shown with.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "media/Bytes.h"

namespace pptmedia {

enum class DocxAlignment { Left, Centre, Right, Justify };

struct DocxRun {
    std::string text;  // UTF-8; tabs as '\t', line breaks as '\n'
    std::string fontName;
    double sizePt = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
};

// A picture in a cell: its size, and its file when the package holds it.
struct DocxPicture {
    double widthPt = 0;
    double heightPt = 0;
    std::shared_ptr<const Bytes> bytes;  // shared with the layouts drawn from it
};

struct DocxParagraph {
    DocxAlignment alignment = DocxAlignment::Left;
    double spaceBeforePt = 0;
    double spaceAfterPt = 0;
    double lineSpacing = 1.0;  // multiple of single spacing
    std::vector<DocxRun> runs;
    std::vector<DocxPicture> pictures;
    DocxRun mark;  // formatting of the paragraph mark (no text): sizes an empty paragraph

    std::string text() const;  // the runs' text joined
};

struct DocxCellMargins {
    double topPt = 0;
    double leftPt = 5.4;  // Word's default: 108 twips on either side
    double bottomPt = 0;
    double rightPt = 5.4;
};

enum class DocxHeightRule { Auto, AtLeast, Exact };
enum class DocxVerticalMerge { None, Restart, Continue };

struct DocxCell {
    std::vector<DocxParagraph> paragraphs;
    double widthPt = 0;  // preferred width; 0 when not given in points
    int gridSpan = 1;    // grid columns the cell covers
    DocxVerticalMerge verticalMerge = DocxVerticalMerge::None;
    std::optional<DocxCellMargins> margins;  // the cell's own, else the table's

    std::string text() const;  // paragraphs joined with '\n'
};

struct DocxRow {
    std::vector<DocxCell> cells;
    double heightPt = 0;  // from w:trHeight; 0 when not given
    DocxHeightRule heightRule = DocxHeightRule::Auto;
};

struct DocxTable {
    std::vector<double> gridColumnsPt;  // w:tblGrid; empty when absent
    std::vector<DocxRow> rows;
    DocxCellMargins cellMargins;

    // Grid columns: the grid's count, or the widest row's spans.
    std::size_t columnCount() const;
};

struct DocxDocument {
    std::vector<DocxTable> tables;  // the body's tables, in document order
    std::string defaultFontName;    // of the document's default paragraph style
    double defaultSizePt = 10;
};

}  // namespace pptmedia
