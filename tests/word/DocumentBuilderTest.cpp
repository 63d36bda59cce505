// Where each editing call puts its content: rows, cells, paragraphs, runs.
#include <gtest/gtest.h>

#include <sstream>

#include "DocumentBuilder.h"
#include "TestImages.h"

using namespace word;

namespace {

const Table& tableAt(const DocumentBuilder& b, std::size_t block)
{
    return std::get<Table>(b.content().blocks.at(block));
}

// Blocks as "P(text)" ("^P" after a page break) and "T[cell,cell;row]", a
// cell's paragraphs joined by "|", a row's height as "@points".
std::string dump(const DocumentBuilder& b)
{
    auto paragraph = [](const Paragraph& p) {
        std::string text;
        for (const Run& r : p.runs) text += r.kind == Run::Kind::Picture ? "[pic]" : r.text;
        return text;
    };
    std::string out;
    for (const auto& block : b.content().blocks) {
        if (!out.empty()) out += " / ";
        if (const auto* p = std::get_if<Paragraph>(&block)) {
            out += (p->pageBreakBefore ? "^P(" : "P(") + paragraph(*p) + ")";
            continue;
        }
        out += "T[";
        for (const Row& row : std::get<Table>(block).rows) {
            if (&row != &std::get<Table>(block).rows.front()) out += ";";
            for (const Cell& cell : row.cells) {
                if (&cell != &row.cells.front()) out += ",";
                for (const Paragraph& p : cell.paragraphs) out += (&p != &cell.paragraphs.front() ? "|" : "") + paragraph(p);
            }
            if (row.heightPoints) out += "@" + std::to_string(row.heightPoints);
        }
        out += "]";
    }
    return out;
}

// Runs the calls of a script: T startTable, E endTable, R addRow, C addCell,
// N insertEndl, B insertPageBreak, H<n> setRowHeight, :text insertText ('_' a blank).
void play(DocumentBuilder& b, const std::string& script)
{
    std::istringstream calls(script);
    for (std::string call; std::getline(calls, call, ' ');) {
        if (call.empty()) continue;
        if (call[0] == ':') {
            std::replace(call.begin(), call.end(), '_', ' ');
            b.insertText(call.substr(1));
        }
        if (call[0] == 'H') b.setRowHeight(std::stoi(call.substr(1)));
        if (call == "T") b.startTable();
        if (call == "E") b.endTable();
        if (call == "R") b.addRow();
        if (call == "C") b.addCell();
        if (call == "N") b.insertEndl();
        if (call == "B") b.insertPageBreak();
    }
}

Image picture()
{
    return *imageFromBytes(wordtest::picture("gradient-4x4.png"));
}

}  // namespace

TEST(DocumentBuilder, WhereEachCallPutsItsContent)
{
    const std::pair<const char*, const char*> cases[] = {
        {"T R C :r0c0 C :r0c1 C :r0c2 R C :r1c0 C :r1c1 C :r1c2 E", "T[r0c0,r0c1,r0c2;r1c0,r1c1,r1c2]"},
        // Line ends make paragraphs inside a cell; an endl at a cell's start leaves an empty first line.
        {"T R C :one\ntwo\r\nthree\rfour N :five C N :x", "T[one|two|three|four|five,|x]"},
        // Text before the first row goes before the table, text after endTable after it.
        {":before T :_still_before R C :in E :after N N :last", "P(before still before) / T[in] / P(after) / P() / P(last)"},
        // Rows and cells without startTable are no table; in a table, addCell starts a row and text a cell.
        {"R C H30 :body T N C :a R :b", "P(body) / T[a@30;b@30]"},
        // The height applies to the current and the following rows, within bounds.
        {"T H20 R C H30 R H-5 R H1000000", "T[@30;;@1584]"},
        // A cell cannot break pages: a new paragraph; a table after a break gets an empty paragraph first.
        {":one B :two T R C :a B :b E B T R", "P(one) / ^P(two) / T[a|b] / ^P() / T[]"},
        {"T R C :first T R C :second", "T[first] / T[second]"},
    };
    for (const auto& [script, expected] : cases) {
        DocumentBuilder b;
        play(b, script);
        EXPECT_EQ(dump(b), expected) << script;
    }
}

TEST(DocumentBuilder, FormatFollowsTheCallsAndEqualRunsMerge)
{
    DocumentBuilder b;
    play(b, "T R C");
    b.setFontName("Times New Roman");
    b.setFontSize(14);
    b.insertText("a");
    b.insertText("b");  // same format: one run
    b.setFontAttribute(1, true);
    b.setFontAttribute(2, true);
    b.setFontAttribute(4, true);
    b.setFontAttribute(8, true);
    b.setFontAttribute(3, false);  // not one code: nothing
    b.setFontSize(0);              // ignored
    b.setFontSize(32767);          // capped
    b.insertText("c");
    b.setFontName("");
    b.insertText("d");
    const auto& runs = tableAt(b, 0).rows[0].cells[0].paragraphs[0].runs;
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].text, "ab");
    EXPECT_EQ(runs[0].format.fontName, "Times New Roman");
    EXPECT_EQ(runs[0].format.halfPoints, 28);
    EXPECT_FALSE(runs[0].format.bold);
    const RunFormat& f = runs[1].format;
    EXPECT_TRUE(f.bold && f.italic && f.underline && f.strike);
    EXPECT_EQ(f.halfPoints, DocumentBuilder::largestFontPoints * 2);
    EXPECT_EQ(runs[2].format.fontName, RunFormat::defaultFontName);
}

// Alignment sets the current paragraph and the next ones; pictures are stored
// once, their links kept.
TEST(DocumentBuilder, AlignmentAndPictures)
{
    DocumentBuilder b;
    play(b, "T R C :x");
    b.setAlignment(3);
    b.insertEndl();
    b.setAlignment(9);  // unknown: no change
    play(b, ":y C");
    b.setAlignment(2);
    b.addCell();
    b.setAlignment(4);
    const Row& row = tableAt(b, 0).rows[0];
    EXPECT_EQ(row.cells[0].paragraphs[0].alignment, Alignment::Right);
    EXPECT_EQ(row.cells[0].paragraphs[1].alignment, Alignment::Right);
    EXPECT_EQ(row.cells[1].paragraphs[0].alignment, Alignment::Center);
    EXPECT_EQ(row.cells[2].paragraphs[0].alignment, Alignment::Justify);

    b.addCell();
    b.insertPicture(picture(), "https://example.com/");
    b.addCell();
    b.insertPicture(picture());
    b.insertPicture(*imageFromBytes(wordtest::picture("gradient-5x5.png")));
    EXPECT_EQ(b.content().images.size(), 2u);
    const auto& cells = tableAt(b, 0).rows[0].cells;
    EXPECT_EQ(cells[3].paragraphs[0].runs[0].link, "https://example.com/");
    EXPECT_EQ(cells[4].paragraphs[0].runs[0].image, 0u);
    EXPECT_EQ(cells[4].paragraphs[0].runs[1].image, 1u);
}
