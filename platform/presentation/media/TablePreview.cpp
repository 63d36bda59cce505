#include <algorithm>

#include "media/EmfWriter.h"
#include "media/Preview.h"
#include "media/TableLayout.h"

namespace pptmedia {
namespace {

constexpr double kGridPen = 0.5;
// An empty table still gets a visible picture.
constexpr double kEmptyWidthPt = 72, kEmptyHeightPt = 18;

}  // namespace

TableSize tableNaturalSize(const DocxTable& table, const TableLayoutDefaults& defaults)
{
    TableLayout layout = layoutTable(table, defaults);
    return {layout.widthPt, layout.heightPt};
}

Preview drawTablePreview(const DocxTable& table, const TableLayoutDefaults& defaults)
{
    TableLayout layout = layoutTable(table, defaults);
    double width = layout.widthPt > 0 ? layout.widthPt : kEmptyWidthPt;
    double height = layout.heightPt > 0 ? layout.heightPt : kEmptyHeightPt;

    EmfWriter emf(width, height);
    emf.fillRect(0, 0, width, height, kEmfWhite);
    for (const TableCellBox& cell : layout.cells)
        drawTextBlock(emf, cell.content, cell.contentX, cell.contentY, kEmfBlack, cell.y + cell.height);

    // Grid lines, kept inside the picture: the outer ones by half a pen.
    const double half = kGridPen / 2;
    auto clampX = [&](double x) { return std::clamp(x, half, width - half); };
    auto clampY = [&](double y) { return std::clamp(y, half, height - half); };
    for (const TableCellBox& cell : layout.cells) {
        double x1 = clampX(cell.x), x2 = clampX(cell.x + cell.width);
        double y1 = clampY(cell.y), y2 = clampY(cell.y + cell.height);
        if (cell.topEdge) emf.line(x1, y1, x2, y1, kGridPen, kEmfBlack);
        if (cell.bottomEdge) emf.line(x1, y2, x2, y2, kGridPen, kEmfBlack);
        emf.line(x1, y1, x1, y2, kGridPen, kEmfBlack);
        emf.line(x2, y1, x2, y2, kGridPen, kEmfBlack);
    }
    if (layout.cells.empty()) emf.frameRect(half, half, width - kGridPen, height - kGridPen, kGridPen, kEmfBlack);
    return {emf.finish(std::u16string(u"Orvel\0table", 11)), width, height};
}

}  // namespace pptmedia
