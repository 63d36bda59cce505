// The geometry of a document: column widths sized from the cells' content,
// picture sizes, and a page just large enough for what it holds, so that a
// document embedded elsewhere shows the table at its natural size.
#pragma once

#include <vector>

#include "DocumentContent.h"

namespace word {

namespace layout {
constexpr double pageMargin = 7.2;         // points on every side of the page
constexpr double defaultSideMargin = 90.0; // of Word's default page, left and right
constexpr double cellMargin = 5.4;         // left and right inside each cell
constexpr double borderWidth = 0.5;        // the table's grid lines
constexpr int borderEighths = 4;           // the same, as WordprocessingML counts it
constexpr double emptyColumnWidth = 18.0;  // text width of a column with no content
constexpr double pictureColumnWidth = 144.0;  // the most a picture widens its column
constexpr double tabWidth = 36.0;
constexpr double largestPageSide = 1584.0;  // 22 inches
constexpr double smallestPageWidth = 72.0;
constexpr double smallestPageHeight = 36.0;
constexpr double endMarkPoints = 1.0;  // the paragraph that must follow a table at the end
}  // namespace layout

struct Extent {
    double width = 0;
    double height = 0;
};

// A picture at its natural size, shrunk (never enlarged) to fit the width.
Extent fitPicture(const Image& image, double availableWidth);

struct TableGeometry {
    std::vector<double> columnWidths;  // points, borders and cell margins included
    double width() const;
};

struct DocumentLayout {
    double pageWidth = 0;   // points
    double pageHeight = 0;
    double textWidth = 0;   // page width less the margins
    bool landscape = false;
    std::vector<TableGeometry> tables;  // one per Table block, in order (empty ones too)
};

DocumentLayout layOutDocument(const DocumentContent& content);

// Twentieths of a point, WordprocessingML's unit of length.
inline long long toTwips(double points) { return static_cast<long long>(points * 20.0 + 0.5); }
// English Metric Units, DrawingML's unit of length.
inline long long toEmu(double points) { return static_cast<long long>(points * 12700.0 + 0.5); }

}  // namespace word
