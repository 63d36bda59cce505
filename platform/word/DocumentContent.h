// What a Word document of this back-end holds: paragraphs and tables in
// order, each cell a list of paragraphs, each paragraph a list of runs.
// Plain values; DocumentBuilder fills them, the part writers read them.
#pragma once

#include <cstddef>
#include <string>
#include <variant>
#include <vector>

#include "ImageFile.h"

namespace word {

enum class Alignment { Left, Center, Right, Justify };
enum class Orientation { Portrait, Landscape };

struct RunFormat {
    static constexpr const char* defaultFontName = "Arial";
    static constexpr int defaultHalfPoints = 24;

    std::string fontName = defaultFontName;
    int halfPoints = defaultHalfPoints;  // WordprocessingML sizes count half points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;

    double points() const { return halfPoints / 2.0; }
    friend bool operator==(const RunFormat&, const RunFormat&) = default;
};

struct Run {
    enum class Kind { Text, Picture, Field };

    Kind kind = Kind::Text;
    RunFormat format;
    std::string text;         // Text: may hold tabs; Field: the displayed result
    std::string link;         // an address a click on the text or picture opens; "" for none
    std::size_t image = 0;    // Picture: index into DocumentContent::images
    std::string instruction;  // Field: "PAGE", "DATE" ...
};

struct Paragraph {
    Alignment alignment = Alignment::Left;
    bool pageBreakBefore = false;
    RunFormat markFormat;  // of the paragraph mark: sets the height of an empty line
    std::vector<Run> runs;
};

struct Cell {
    std::vector<Paragraph> paragraphs;  // never empty
};

struct Row {
    int heightPoints = 0;  // the least height; 0 lets the content decide
    std::vector<Cell> cells;
};

struct Table {
    std::vector<Row> rows;

    // Rows without cells are left out of the document, and so is a table
    // with none left.
    bool hasCells() const
    {
        for (const Row& row : rows)
            if (!row.cells.empty()) return true;
        return false;
    }
    std::size_t columnCount() const
    {
        std::size_t n = 0;
        for (const Row& row : rows) n = row.cells.size() > n ? row.cells.size() : n;
        return n;
    }
};

using Block = std::variant<Paragraph, Table>;

struct DocumentContent {
    Orientation orientation = Orientation::Portrait;
    std::vector<Block> blocks;
    std::vector<Image> images;  // each stored once, however often it is shown
};

}  // namespace word
