#include "media/TableLayout.h"

#include <algorithm>
#include <map>
#include <numeric>

#include "office/text/TableGrid.h"

namespace pptmedia {
namespace {

// A column sized by its text alone wraps beyond this (six inches).
constexpr double kMaxNaturalColumnPt = 432;
constexpr double kMinColumnPt = 9;

EmfFont fontOf(const DocxRun& run, const TableLayoutDefaults& defaults)
{
    EmfFont font;
    font.name = run.fontName.empty() ? defaults.fontName : run.fontName;
    font.sizePt = run.sizePt > 0 ? run.sizePt : 10;
    font.bold = run.bold;
    font.italic = run.italic;
    font.underline = run.underline;
    font.strike = run.strike;
    return font;
}

struct GridCell {
    const DocxCell* cell;
    std::size_t row, column;
    std::size_t span;
    DocxCellMargins margins;
    std::vector<BlockParagraph> paragraphs;
};

}  // namespace

std::vector<BlockParagraph> blockParagraphs(const std::vector<DocxParagraph>& paragraphs,
                                            const TableLayoutDefaults& defaults)
{
    std::vector<BlockParagraph> blocks;
    for (const DocxParagraph& p : paragraphs) {
        BlockParagraph block;
        block.alignment = p.alignment;
        block.spaceBeforePt = p.spaceBeforePt;
        block.spaceAfterPt = p.spaceAfterPt;
        block.lineSpacing = p.lineSpacing;
        block.emptyFont = fontOf(p.mark, defaults);
        for (const DocxRun& run : p.runs) block.spans.push_back({run.text, fontOf(run, defaults)});
        block.pictures = p.pictures;
        blocks.push_back(std::move(block));
    }
    if (blocks.empty()) {
        // A cell holds at least one (empty) paragraph.
        BlockParagraph empty;
        empty.emptyFont.name = defaults.fontName;
        blocks.push_back(std::move(empty));
    }
    return blocks;
}

TableLayout layoutTable(const DocxTable& table, const TableLayoutDefaults& defaults)
{
    TableLayout layout;
    const std::size_t columns = table.columnCount();
    if (columns == 0) return layout;

    // Place cells on the grid.
    std::vector<GridCell> grid;
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        std::size_t column = 0;
        for (const DocxCell& cell : table.rows[r].cells) {
            if (column >= columns) break;
            std::size_t span = std::min<std::size_t>(std::max(cell.gridSpan, 1), columns - column);
            grid.push_back({&cell, r, column, span, cell.margins.value_or(table.cellMargins),
                            blockParagraphs(cell.paragraphs, defaults)});
            column += span;
        }
    }

    // Column widths.
    office::ColumnRules rules;
    if (table.gridColumnsPt.size() == columns &&
        std::accumulate(table.gridColumnsPt.begin(), table.gridColumnsPt.end(), 0.0) > 0)
        rules.fixed = table.gridColumnsPt;
    rules.emptyColumn = std::max(kMinColumnPt, table.cellMargins.leftPt + table.cellMargins.rightPt + 1);
    std::vector<office::CellExtent> extents;
    for (const GridCell& g : grid) {
        const double text = unwrappedWidth(g.paragraphs) + g.margins.leftPt + g.margins.rightPt;
        const double need = g.cell->widthPt > 0 ? g.cell->widthPt : std::min(text, kMaxNaturalColumnPt);
        extents.push_back({g.column, g.span, need, need});
    }
    std::vector<double> widths = office::columnWidths(columns, extents, rules);
    std::vector<double> left(columns + 1, 0);
    for (std::size_t c = 0; c < columns; ++c) left[c + 1] = left[c] + widths[c];

    // Row heights from the laid-out content.
    std::vector<double> heights(table.rows.size(), 0);
    std::vector<TableCellBox> boxes;
    for (const GridCell& g : grid) {
        TableCellBox box;
        box.row = g.row;
        box.column = g.column;
        box.span = static_cast<int>(g.span);
        box.x = left[g.column];
        box.width = left[g.column + g.span] - left[g.column];
        double inner = std::max(1.0, box.width - g.margins.leftPt - g.margins.rightPt);
        box.content = layoutTextBlock(g.paragraphs, inner);
        box.contentX = box.x + g.margins.leftPt;
        if (g.cell->verticalMerge == DocxVerticalMerge::Continue) {
            box.topEdge = false;
            box.content = TextBlock();
        } else {
            double need = box.content.heightPt + g.margins.topPt + g.margins.bottomPt;
            heights[g.row] = std::max(heights[g.row], need);
        }
        box.contentY = g.margins.topPt;  // made absolute below
        boxes.push_back(std::move(box));
    }
    const double emptyRow = lineHeightPt(EmfFont{defaults.fontName, 10, false, false, false, false});
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const DocxRow& row = table.rows[r];
        const auto rule = row.heightRule == DocxHeightRule::Exact     ? office::RowHeightRule::Exact
                          : row.heightRule == DocxHeightRule::AtLeast ? office::RowHeightRule::AtLeast
                                                                      : office::RowHeightRule::Auto;
        heights[r] = office::rowHeight(heights[r], rule, row.heightPt, emptyRow);
    }
    std::vector<double> top(table.rows.size() + 1, 0);
    for (std::size_t r = 0; r < table.rows.size(); ++r) top[r + 1] = top[r] + heights[r];

    // Positions, and the edges a vertical merge hides.
    std::map<std::pair<std::size_t, std::size_t>, const DocxCell*> at;
    for (const GridCell& g : grid) at[{g.row, g.column}] = g.cell;
    for (TableCellBox& box : boxes) {
        box.y = top[box.row];
        box.height = heights[box.row];
        box.contentY += box.y;
        auto below = at.find({box.row + 1, box.column});
        if (below != at.end() && below->second->verticalMerge == DocxVerticalMerge::Continue) box.bottomEdge = false;
    }

    layout.columnWidthsPt = std::move(widths);
    layout.rowHeightsPt = std::move(heights);
    layout.widthPt = left[columns];
    layout.heightPt = top[table.rows.size()];
    layout.cells = std::move(boxes);
    return layout;
}

}  // namespace pptmedia
