// Where each editing call puts its content: rows, cells, paragraphs, runs.
#include <gtest/gtest.h>

#include <sstream>
#include <utility>

#include "DocumentBuilder.h"
#include "TestImages.h"

using namespace word;

namespace {

// Blocks as "P(text)" ("^P" after a page break) and "T[cell,cell;row]", a
// cell's paragraphs joined by "|", a row's height as "@points". A paragraph
// not left-aligned starts with its alignment ("<2>"); a run not in the
// default format ends with it ("{Times New Roman 28 biu-}"), a picture is
// "[pic N link]".
std::string dump(const DocumentBuilder& b)
{
    auto paragraph = [](const Paragraph& p) {
        std::string text = p.alignment == Alignment::Left ? "" : "<" + std::to_string(static_cast<int>(p.alignment)) + ">";
        for (const Run& r : p.runs) {
            if (r.kind == Run::Kind::Picture) {
                text += "[pic " + std::to_string(r.image) + (r.link.empty() ? "" : " " + r.link) + "]";
                continue;
            }
            text += r.text;
            const RunFormat& f = r.format;
            if (f == RunFormat{}) continue;
            text += "{" + f.fontName + " " + std::to_string(f.halfPoints) + " " + (f.bold ? "b" : "") + (f.italic ? "i" : "") +
                    (f.underline ? "u" : "") + (f.strike ? "-" : "") + "}";
        }
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
// N insertEndl, B insertPageBreak, H<n> setRowHeight, :text insertText, F<name>
// setFontName, S<n> setFontSize, +<n> and -<n> setFontAttribute, L<n>
// setAlignment, I<file> insertPicture of tests/data/word/<file>, @<address>
// the picture's link ('_' a blank in texts and names).
void play(DocumentBuilder& b, const std::string& script)
{
    std::istringstream calls(script);
    std::string link;
    for (std::string call; std::getline(calls, call, ' ');) {
        if (call.empty()) continue;
        std::replace(call.begin(), call.end(), '_', ' ');
        const std::string arg = call.substr(1);
        switch (call[0]) {
        case ':': b.insertText(arg); break;
        case 'H': b.setRowHeight(std::stoi(arg)); break;
        case 'F': b.setFontName(arg); break;
        case 'S': b.setFontSize(std::stoi(arg)); break;
        case '+': b.setFontAttribute(std::stoi(arg), true); break;
        case '-': b.setFontAttribute(std::stoi(arg), false); break;
        case 'L': b.setAlignment(std::stoi(arg)); break;
        case '@': link = arg; break;
        case 'I': b.insertPicture(*imageFromBytes(wordtest::picture(arg)), std::exchange(link, "")); break;
        case 'T': b.startTable(); break;
        case 'E': b.endTable(); break;
        case 'R': b.addRow(); break;
        case 'C': b.addCell(); break;
        case 'N': b.insertEndl(); break;
        case 'B': b.insertPageBreak(); break;
        }
    }
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
        // Equal formats make one run; an unknown attribute code and size 0 change nothing, sizes are capped,
        // an empty name is the default font.
        {"T R C FTimes_New_Roman S14 :a :b +1 +2 +4 +8 -3 S0 S32767 :c F :d",
         "T[ab{Times New Roman 28 }c{Times New Roman 3276 biu-}d{Arial 3276 biu-}]"},
        // Alignment sets the current paragraph and the next ones (an unknown code: no change).
        {"T R C :x L3 N L9 :y C L2 C L4", "T[<2>x|<2>y,<1>,<3>]"},
        // Pictures are stored once per content, their links kept.
        {"T R C @https://example.com/ Igradient-4x4.png C Igradient-4x4.png Igradient-5x5.png",
         "T[[pic 0 https://example.com/],[pic 0][pic 1]]"},
    };
    for (const auto& [script, expected] : cases) {
        DocumentBuilder b;
        play(b, script);
        EXPECT_EQ(dump(b), expected) << script;
    }
}
