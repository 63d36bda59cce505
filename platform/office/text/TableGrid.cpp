#include "TableGrid.h"

#include <algorithm>

namespace office {
namespace {

std::vector<double> fitColumns(const std::vector<double>& natural, const std::vector<double>& minimum,
                               double available)
{
    double naturalSum = 0, minimumSum = 0;
    for (std::size_t c = 0; c < natural.size(); ++c) naturalSum += natural[c], minimumSum += minimum[c];
    if (naturalSum <= available) return natural;
    std::vector<double> widths;
    for (std::size_t c = 0; c < natural.size(); ++c) {
        if (minimumSum <= available && naturalSum > minimumSum)
            widths.push_back(minimum[c] + (natural[c] - minimum[c]) * (available - minimumSum) / (naturalSum - minimumSum));
        else
            widths.push_back(natural[c] * available / naturalSum);
    }
    return widths;
}

}  // namespace

std::vector<double> columnWidths(std::size_t columns, const std::vector<CellExtent>& cells, const ColumnRules& rules)
{
    std::vector<double> widths(columns, 0), minimum(columns, 0);
    std::vector<bool> fixed(columns, false);
    for (std::size_t c = 0; c < columns && c < rules.fixed.size(); ++c) {
        widths[c] = rules.fixed[c];
        fixed[c] = widths[c] > 0;
    }
    for (const CellExtent& cell : cells) {
        if (cell.span != 1 || cell.column >= columns || fixed[cell.column]) continue;
        widths[cell.column] = std::max(widths[cell.column], cell.natural);
        minimum[cell.column] = std::max(minimum[cell.column], cell.minimum);
    }
    for (const CellExtent& cell : cells) {
        if (cell.span <= 1 || cell.column + cell.span > columns) continue;
        double have = 0;
        std::size_t free = 0;
        for (std::size_t c = cell.column; c < cell.column + cell.span; ++c) {
            have += widths[c];
            if (!fixed[c]) ++free;
        }
        if (free == 0 || have >= cell.natural) continue;
        for (std::size_t c = cell.column; c < cell.column + cell.span; ++c)
            if (!fixed[c]) widths[c] += (cell.natural - have) / static_cast<double>(free);
    }
    for (std::size_t c = 0; c < columns; ++c) {
        if (widths[c] <= 0) widths[c] = rules.emptyColumn;
        minimum[c] = std::min(minimum[c], widths[c]);
    }
    return fitColumns(widths, minimum, rules.available);
}

double rowHeight(double tallestCell, RowHeightRule rule, double givenPt, double emptyRowPt)
{
    double height = tallestCell > 0 ? tallestCell : emptyRowPt;
    if (rule == RowHeightRule::Exact && givenPt > 0) return givenPt;
    if (rule == RowHeightRule::AtLeast) return std::max(height, givenPt);
    return height;
}

}  // namespace office
