// Where everything of a Word table goes when it is drawn at its natural
// size: column widths (w:tblGrid, else the cells' w:tcW, else the width of
// their text), row heights (w:trHeight and its rule, else the text's
// height with the cell margins) and each cell's laid-out text. The grid is
// sized as every table is (text/TableGrid.h).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "media/DocxTable.h"
#include "media/TextBlock.h"

namespace pptmedia {

struct TableCellBox {
    std::size_t row = 0, column = 0;
    int span = 1;
    double x = 0, y = 0, width = 0, height = 0;
    bool topEdge = true;     // false inside a vertically merged cell
    bool bottomEdge = true;
    TextBlock content;
    double contentX = 0, contentY = 0;  // top-left of the text
};

struct TableLayout {
    std::vector<double> columnWidthsPt;
    std::vector<double> rowHeightsPt;
    double widthPt = 0;
    double heightPt = 0;
    std::vector<TableCellBox> cells;
};

struct TableLayoutDefaults {
    std::string fontName = "Times New Roman";  // runs that name no font
};

TableLayout layoutTable(const DocxTable& table, const TableLayoutDefaults& defaults = {});

// The paragraphs of a cell as the text layout takes them.
std::vector<BlockParagraph> blockParagraphs(const std::vector<DocxParagraph>& paragraphs,
                                            const TableLayoutDefaults& defaults);

}  // namespace pptmedia
