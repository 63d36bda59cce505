#include "DocumentLayout.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "office/text/FontCatalog.h"
#include "office/text/TableGrid.h"

namespace word {
namespace {

// Text as a word processor lays it out, in points.
class RunMeasure {
public:
    double width(const RunFormat& format, std::string_view utf8)
    {
        return fontOf(format).width(utf8) * format.points();
    }
    // One single-spaced line: ascent + descent (a face claiming less than
    // half an em or more than four gets typical proportions).
    double lineHeight(const RunFormat& format)
    {
        const office::FontMetrics& m = fontOf(format).metrics();
        double ems = m.ascent + m.descent;
        return (ems > 0.5 && ems < 4.0 ? ems : office::FontMetrics{}.lineHeight) * format.points();
    }

private:
    static office::Font& fontOf(const RunFormat& format)
    {
        return office::FontCatalog::instance().font(format.fontName, format.bold, format.italic);
    }
};

// The text width of Word's default page, US Letter with 1.25-inch left and
// right margins: what an automatically fitted table may take. The page
// written is then shrunk around the content.
double maximumTextWidth(Orientation orientation)
{
    double page = orientation == Orientation::Landscape ? 792.0 : 612.0;
    return page - 2 * layout::defaultSideMargin;
}

// A picture's line: the picture on the baseline, with the descent below it.
double pictureLineHeight(double pictureHeight, double textLineHeight)
{
    return pictureHeight + 0.25 * textLineHeight;
}

// Something that cannot be broken across lines: a word with the spaces
// after it, a tab, or a picture.
struct Piece {
    double width = 0;
    double trailingSpace = 0;  // does not count at the end of a line
    double height = 0;
};

class ParagraphMeasure {
public:
    ParagraphMeasure(const Paragraph& paragraph, const DocumentContent& content, RunMeasure& measure,
                     double pictureCap)
        : markHeight_(measure.lineHeight(paragraph.markFormat))
    {
        for (const Run& run : paragraph.runs) {
            if (run.kind == Run::Kind::Picture) {
                Extent e = fitPicture(content.images[run.image], pictureCap);
                double textLine = measure.lineHeight(run.format);
                pieces_.push_back({e.width, 0, pictureLineHeight(e.height, textLine)});
                pictures_.push_back({pieces_.size() - 1, run.image, textLine});
                continue;
            }
            addText(run.text, run.format, measure);
        }
    }

    // Width on one line, and the widest piece that cannot be broken.
    double naturalWidth() const
    {
        double total = 0;
        for (const Piece& p : pieces_) total += p.width + p.trailingSpace;
        return pieces_.empty() ? 0 : total - pieces_.back().trailingSpace;
    }
    double minimumWidth() const
    {
        double widest = 0;
        for (const Piece& p : pieces_) widest = std::max(widest, p.width);
        return widest;
    }

    // Height when wrapped at width, pictures shrunk to fit it.
    double height(double width, const DocumentContent& content)
    {
        if (pieces_.empty()) return markHeight_;
        for (const PictureSlot& slot : pictures_) {
            Extent e = fitPicture(content.images[slot.image], width);
            pieces_[slot.piece].width = e.width;
            pieces_[slot.piece].height = pictureLineHeight(e.height, slot.textLineHeight);
        }
        double total = 0, lineWidth = 0, lineHeight = 0;
        bool lineEmpty = true;
        for (const Piece& p : pieces_) {
            if (!lineEmpty && lineWidth + p.width > width) {
                total += lineHeight;
                lineWidth = lineHeight = 0;
                lineEmpty = true;
            }
            if (p.width > width && width > 0) {  // a word longer than the line breaks anywhere
                double lines = std::ceil(p.width / width);
                total += (lines - 1) * p.height;
                lineWidth = p.width - (lines - 1) * width + p.trailingSpace;
            } else {
                lineWidth += p.width + p.trailingSpace;
            }
            lineHeight = std::max(lineHeight, p.height);
            lineEmpty = false;
        }
        return total + lineHeight;
    }

private:
    void addText(const std::string& text, const RunFormat& format, RunMeasure& measure)
    {
        double height = measure.lineHeight(format);
        double space = measure.width(format, " ");
        std::size_t i = 0;
        while (i < text.size()) {
            if (text[i] == '\t') {
                pieces_.push_back({layout::tabWidth, 0, height});
                ++i;
                continue;
            }
            if (text[i] == ' ') {  // spaces after the previous piece, or leading ones
                if (pieces_.empty()) pieces_.push_back({0, 0, height});
                pieces_.back().trailingSpace += space;
                ++i;
                continue;
            }
            std::size_t end = text.find_first_of(" \t", i);
            if (end == std::string::npos) end = text.size();
            pieces_.push_back({measure.width(format, std::string_view(text).substr(i, end - i)), 0, height});
            i = end;
        }
    }

    double markHeight_;
    std::vector<Piece> pieces_;
    struct PictureSlot {
        std::size_t piece;
        std::size_t image;
        double textLineHeight;
    };
    std::vector<PictureSlot> pictures_;
};

struct ContentSize {
    double natural = 0;
    double minimum = 0;
};

ContentSize cellSize(const Cell& cell, const DocumentContent& content, RunMeasure& measure)
{
    ContentSize size;
    for (const Paragraph& p : cell.paragraphs) {
        ParagraphMeasure m(p, content, measure, layout::pictureColumnWidth);
        size.natural = std::max(size.natural, m.naturalWidth());
        size.minimum = std::max(size.minimum, m.minimumWidth());
    }
    return size;
}

double cellHeight(const Cell& cell, double textWidth, const DocumentContent& content, RunMeasure& measure)
{
    double height = 0;
    for (const Paragraph& p : cell.paragraphs)
        height += ParagraphMeasure(p, content, measure, textWidth).height(textWidth, content);
    return height;
}

TableGeometry tableGeometry(const Table& table, double available, const DocumentContent& content,
                            RunMeasure& measure)
{
    std::size_t count = table.columnCount();
    std::vector<office::CellExtent> cells;
    for (const Row& row : table.rows)
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            ContentSize s = cellSize(row.cells[c], content, measure);
            // A hair more than measured: word processors round their metrics.
            cells.push_back({c, 1, s.natural > 0 ? s.natural * 1.02 + 1.0 : 0.0, s.minimum});
        }
    const double extra = 2 * layout::cellMargin + layout::borderWidth;
    office::ColumnRules rules;
    rules.emptyColumn = layout::emptyColumnWidth * 1.02 + 1.0;
    rules.available = available - extra * double(count) - layout::borderWidth;
    std::vector<double> widths = office::columnWidths(count, cells, rules);
    TableGeometry geometry;
    for (double w : widths) geometry.columnWidths.push_back(std::round((w + extra) * 20.0) / 20.0);
    return geometry;
}

double tableHeight(const Table& table, const TableGeometry& geometry, const DocumentContent& content,
                   RunMeasure& measure)
{
    double height = layout::borderWidth;
    for (const Row& row : table.rows) {
        if (row.cells.empty()) continue;
        double tallest = 0;
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            double textWidth = geometry.columnWidths[c] - 2 * layout::cellMargin - layout::borderWidth;
            tallest = std::max(tallest, cellHeight(row.cells[c], textWidth, content, measure));
        }
        height += office::rowHeight(tallest, office::RowHeightRule::AtLeast, row.heightPoints, 0) + layout::borderWidth;
    }
    return height;
}

}  // namespace

Extent fitPicture(const Image& image, double availableWidth)
{
    Extent e{image.widthPoints, image.heightPoints};
    if (availableWidth > 0 && e.width > availableWidth) {
        e.height = e.height * availableWidth / e.width;
        e.width = availableWidth;
    }
    // Never vanishing, never taller than a page.
    double tallest = layout::largestPageSide - 2 * layout::pageMargin - 1;
    if (e.height > tallest) {
        e.width = e.width * tallest / e.height;
        e.height = tallest;
    }
    e.width = std::max(e.width, 0.75);
    e.height = std::max(e.height, 0.75);
    return e;
}

double TableGeometry::width() const
{
    return std::accumulate(columnWidths.begin(), columnWidths.end(), 0.0);
}

DocumentLayout layOutDocument(const DocumentContent& content)
{
    RunMeasure measure;
    DocumentLayout result;
    const double available = maximumTextWidth(content.orientation);

    // Widths first: the page is as wide as its widest table or paragraph.
    double textWidth = 0;
    for (const Block& block : content.blocks) {
        if (const Table* table = std::get_if<Table>(&block)) {
            result.tables.push_back(table->hasCells() ? tableGeometry(*table, available, content, measure)
                                                      : TableGeometry{});
            textWidth = std::max(textWidth, result.tables.back().width());
        } else {
            const Paragraph& p = std::get<Paragraph>(block);
            double natural = ParagraphMeasure(p, content, measure, available).naturalWidth() * 1.02 + 1.0;
            textWidth = std::max(textWidth, std::min(natural, available));
        }
    }
    textWidth = std::max(textWidth, layout::smallestPageWidth - 2 * layout::pageMargin);
    result.textWidth = textWidth;
    result.pageWidth = textWidth + 2 * layout::pageMargin;

    // Then heights; a page break starts a new page of the same size, so the
    // page is as tall as its tallest stretch.
    const double endMarkHeight = layout::endMarkPoints;  // written with an exact line height
    double stretch = 0, tallest = 0;
    std::size_t tableIndex = 0;
    bool endsWithTable = false;
    for (const Block& block : content.blocks) {
        if (const Table* table = std::get_if<Table>(&block)) {
            const TableGeometry& geometry = result.tables[tableIndex++];
            if (!table->hasCells()) continue;
            if (endsWithTable) stretch += endMarkHeight;  // what keeps two tables apart
            stretch += tableHeight(*table, geometry, content, measure);
            endsWithTable = true;
        } else {
            const Paragraph& p = std::get<Paragraph>(block);
            if (p.pageBreakBefore) {
                tallest = std::max(tallest, stretch);
                stretch = 0;
            }
            stretch += ParagraphMeasure(p, content, measure, textWidth).height(textWidth, content);
            endsWithTable = false;
        }
    }
    if (endsWithTable || content.blocks.empty()) stretch += endMarkHeight;
    tallest = std::max(tallest, stretch);
    // Room for rounding in the reader's layout, so the content never spills
    // onto a second page.
    double height = tallest * 1.03 + 4.0 + 2 * layout::pageMargin;
    result.pageHeight = std::clamp(height, layout::smallestPageHeight, layout::largestPageSide);
    result.pageWidth = std::min(result.pageWidth, layout::largestPageSide);
    result.landscape = result.pageWidth > result.pageHeight;
    return result;
}

}  // namespace word
