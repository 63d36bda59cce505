// How a table's grid is sized, whoever measures its cells: each column as
// wide as the widest content placed in it alone, content spanning columns
// widening the free ones among them evenly, columns nothing sizes at a
// width of their own, and, when the columns do not fit the room there is,
// each keeping its widest unbreakable piece and sharing what is left in
// proportion to how much more it would like. Rows are as tall as their
// tallest cell, unless their height rule says otherwise.
#pragma once

#include <cstddef>
#include <limits>
#include <vector>

namespace office {

// What one cell asks of the grid, margins included.
struct CellExtent {
    std::size_t column = 0;
    std::size_t span = 1;  // grid columns covered
    double natural = 0;    // width on one line per paragraph
    double minimum = 0;    // width of its widest unbreakable piece
};

struct ColumnRules {
    std::vector<double> fixed;  // per column; > 0: the width whatever the content (may be empty)
    double emptyColumn = 0;     // width of a column no content sizes
    double available = std::numeric_limits<double>::infinity();  // room for all columns together
};

std::vector<double> columnWidths(std::size_t columns, const std::vector<CellExtent>& cells, const ColumnRules& rules);

enum class RowHeightRule { Auto, AtLeast, Exact };

// A row's height from its tallest cell (0 when none has content).
double rowHeight(double tallestCell, RowHeightRule rule, double givenPt, double emptyRowPt);

}  // namespace office
