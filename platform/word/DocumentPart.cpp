#include "DocumentPart.h"

#include <map>
#include <string_view>

#include "office/package/OpcNames.h"
#include "office/package/XmlWriter.h"

namespace word {
namespace {

constexpr const char* pictureUri = "http://schemas.openxmlformats.org/drawingml/2006/picture";

const char* jcValue(Alignment a)
{
    switch (a) {
    case Alignment::Left: return "left";
    case Alignment::Center: return "center";
    case Alignment::Right: return "right";
    case Alignment::Justify: return "both";
    }
    return "left";
}

class BodyWriter {
public:
    BodyWriter(const DocumentContent& content, const DocumentLayout& layout, office::Relationships& rels)
        : content_(content), layout_(layout), rels_(rels)
    {
    }

    std::string write()
    {
        w_.open("w:document")
            .attr("xmlns:w", "http://schemas.openxmlformats.org/wordprocessingml/2006/main")
            .attr("xmlns:r", "http://schemas.openxmlformats.org/officeDocument/2006/relationships")
            .attr("xmlns:wp", "http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing")
            .attr("xmlns:a", "http://schemas.openxmlformats.org/drawingml/2006/main")
            .attr("xmlns:pic", pictureUri);
        w_.open("w:body");
        bool lastWasTable = false;
        std::size_t tableIndex = 0;
        for (const Block& block : content_.blocks) {
            if (const Table* table = std::get_if<Table>(&block)) {
                const TableGeometry& geometry = layout_.tables[tableIndex++];
                if (!table->hasCells()) continue;
                if (lastWasTable) endMark();  // adjacent tables would merge into one
                writeTable(*table, geometry);
                lastWasTable = true;
            } else {
                writeParagraph(std::get<Paragraph>(block), layout_.textWidth);
                lastWasTable = false;
            }
        }
        if (lastWasTable || content_.blocks.empty()) endMark();  // a body ends with a paragraph
        writeSection();
        return w_.finish();
    }

private:
    void writeRunFormat(const RunFormat& f, bool hyperlink)
    {
        w_.open("w:rPr");
        if (hyperlink) w_.leaf("w:rStyle", "w:val", "Hyperlink");
        w_.open("w:rFonts")
            .attr("w:ascii", f.fontName)
            .attr("w:hAnsi", f.fontName)
            .attr("w:cs", f.fontName)
            .close();
        if (f.bold) w_.leaf("w:b").leaf("w:bCs");
        if (f.italic) w_.leaf("w:i").leaf("w:iCs");
        if (f.strike) w_.leaf("w:strike");
        const std::string size = std::to_string(f.halfPoints);
        w_.leaf("w:sz", "w:val", size).leaf("w:szCs", "w:val", size);
        if (f.underline) w_.leaf("w:u", "w:val", "single");
        w_.close();
    }

    // Text with its tabs as tab elements; spaces kept as written.
    void writeText(std::string_view text)
    {
        std::size_t start = 0;
        while (start <= text.size()) {
            std::size_t tab = text.find('\t', start);
            std::string_view piece = text.substr(start, tab == std::string_view::npos ? tab : tab - start);
            if (!piece.empty()) w_.open("w:t").attr("xml:space", "preserve").text(piece).close();
            if (tab == std::string_view::npos) break;
            w_.leaf("w:tab");
            start = tab + 1;
        }
    }

    void writeTextRun(const Run& run, bool hyperlink)
    {
        w_.open("w:r");
        writeRunFormat(run.format, hyperlink);
        writeText(run.text);
        w_.close();
    }

    void writeField(const Run& run, bool hyperlink)
    {
        w_.open("w:fldSimple").attr("w:instr", " " + run.instruction + " ");
        writeTextRun(run, hyperlink);
        w_.close();
    }

    std::string linkId(const std::string& address)
    {
        auto it = linkIds_.find(address);
        if (it == linkIds_.end())
            it = linkIds_.emplace(address, rels_.add(office::opc::relHyperlink, hyperlinkTarget(address), true)).first;
        return it->second;
    }

    std::string pictureId(std::size_t image)
    {
        auto it = pictureIds_.find(image);
        if (it == pictureIds_.end())
            it = pictureIds_.emplace(image, rels_.add(office::opc::relImage, picturePartName(content_, image))).first;
        return it->second;
    }

    void writePicture(const Run& run, double availableWidth)
    {
        Extent e = fitPicture(content_.images[run.image], availableWidth);
        const long long cx = toEmu(e.width), cy = toEmu(e.height);
        const long long id = ++drawingCount_;
        const std::string name = "Picture " + std::to_string(id);
        w_.open("w:r");
        writeRunFormat(run.format, false);
        w_.open("w:drawing");
        w_.open("wp:inline").attr("distT", 0).attr("distB", 0).attr("distL", 0).attr("distR", 0);
        w_.open("wp:extent").attr("cx", cx).attr("cy", cy).close();
        w_.open("wp:effectExtent").attr("l", 0).attr("t", 0).attr("r", 0).attr("b", 0).close();
        w_.open("wp:docPr").attr("id", id).attr("name", name);
        if (!run.link.empty()) w_.open("a:hlinkClick").attr("r:id", linkId(run.link)).close();
        w_.close();
        w_.open("wp:cNvGraphicFramePr").open("a:graphicFrameLocks").attr("noChangeAspect", "1").close().close();
        w_.open("a:graphic").open("a:graphicData").attr("uri", pictureUri);
        w_.open("pic:pic");
        w_.open("pic:nvPicPr");
        w_.open("pic:cNvPr").attr("id", 0).attr("name", name).close();
        w_.open("pic:cNvPicPr").open("a:picLocks").attr("noChangeAspect", "1").close().close();
        w_.close();
        w_.open("pic:blipFill");
        w_.open("a:blip").attr("r:embed", pictureId(run.image)).close();
        w_.open("a:stretch").leaf("a:fillRect").close();
        w_.close();
        w_.open("pic:spPr");
        w_.open("a:xfrm");
        w_.open("a:off").attr("x", 0).attr("y", 0).close();
        w_.open("a:ext").attr("cx", cx).attr("cy", cy).close();
        w_.close();
        w_.open("a:prstGeom").attr("prst", "rect").leaf("a:avLst").close();
        w_.close();
        w_.close();  // pic:pic
        w_.close().close();  // graphicData, graphic
        w_.close().close().close();  // inline, drawing, r
    }

    void writeParagraph(const Paragraph& p, double availableWidth)
    {
        w_.open("w:p");
        w_.open("w:pPr");
        if (p.pageBreakBefore) w_.leaf("w:pageBreakBefore");
        w_.leaf("w:jc", "w:val", jcValue(p.alignment));
        writeRunFormat(p.markFormat, false);
        w_.close();
        for (std::size_t i = 0; i < p.runs.size();) {
            const Run& run = p.runs[i];
            if (run.kind == Run::Kind::Picture) {
                writePicture(run, availableWidth);
                ++i;
                continue;
            }
            if (run.link.empty()) {
                run.kind == Run::Kind::Field ? writeField(run, false) : writeTextRun(run, false);
                ++i;
                continue;
            }
            // Neighbouring runs with the same address share one hyperlink.
            w_.open("w:hyperlink").attr("r:id", linkId(run.link)).attr("w:history", "1");
            for (; i < p.runs.size() && p.runs[i].kind != Run::Kind::Picture && p.runs[i].link == run.link; ++i)
                p.runs[i].kind == Run::Kind::Field ? writeField(p.runs[i], true) : writeTextRun(p.runs[i], true);
            w_.close();
        }
        w_.close();
    }

    // A paragraph too small to notice: what must follow a table at the end
    // of the body, and what keeps two tables apart.
    void endMark()
    {
        const std::string size = std::to_string(static_cast<int>(layout::endMarkPoints * 2));
        w_.open("w:p").open("w:pPr");
        // An exact line height: readers give an empty paragraph the default
        // size's height otherwise.
        w_.open("w:spacing")
            .attr("w:before", 0)
            .attr("w:after", 0)
            .attr("w:line", toTwips(layout::endMarkPoints))
            .attr("w:lineRule", "exact")
            .close();
        w_.open("w:rPr").leaf("w:sz", "w:val", size).leaf("w:szCs", "w:val", size).close();
        w_.close().close();
    }

    void border(const char* side)
    {
        w_.open(side)
            .attr("w:val", "single")
            .attr("w:sz", layout::borderEighths)
            .attr("w:space", 0)
            .attr("w:color", "000000")
            .close();
    }

    void twipsWidth(const char* element, long long twips)
    {
        w_.open(element).attr("w:w", twips).attr("w:type", "dxa").close();
    }

    void writeTable(const Table& table, const TableGeometry& geometry)
    {
        std::vector<long long> columns;
        long long total = 0;
        for (double width : geometry.columnWidths) total += columns.emplace_back(toTwips(width));

        w_.open("w:tbl");
        w_.open("w:tblPr");
        twipsWidth("w:tblW", total);
        twipsWidth("w:tblInd", 0);
        w_.open("w:tblBorders");
        for (const char* side : {"w:top", "w:left", "w:bottom", "w:right", "w:insideH", "w:insideV"}) border(side);
        w_.close();
        w_.open("w:tblLayout").attr("w:type", "fixed").close();
        w_.open("w:tblCellMar");
        twipsWidth("w:top", 0);
        twipsWidth("w:left", toTwips(layout::cellMargin));
        twipsWidth("w:bottom", 0);
        twipsWidth("w:right", toTwips(layout::cellMargin));
        w_.close();
        w_.close();  // tblPr

        w_.open("w:tblGrid");
        for (long long c : columns) w_.open("w:gridCol").attr("w:w", c).close();
        w_.close();

        for (const Row& row : table.rows) {
            if (row.cells.empty()) continue;
            w_.open("w:tr");
            const std::size_t missing = columns.size() - row.cells.size();
            if (missing > 0 || row.heightPoints > 0) {
                w_.open("w:trPr");
                if (missing > 0) {  // a short row ends early rather than gaining cells nobody gave
                    long long after = 0;
                    for (std::size_t c = row.cells.size(); c < columns.size(); ++c) after += columns[c];
                    w_.leaf("w:gridAfter", "w:val", std::to_string(missing));
                    twipsWidth("w:wAfter", after);
                }
                if (row.heightPoints > 0)
                    w_.open("w:trHeight").attr("w:val", toTwips(row.heightPoints)).attr("w:hRule", "atLeast").close();
                w_.close();
            }
            for (std::size_t c = 0; c < row.cells.size(); ++c) {
                w_.open("w:tc");
                w_.open("w:tcPr");
                twipsWidth("w:tcW", columns[c]);
                w_.close();
                double textWidth = geometry.columnWidths[c] - 2 * layout::cellMargin - layout::borderWidth;
                for (const Paragraph& p : row.cells[c].paragraphs) writeParagraph(p, textWidth);
                w_.close();
            }
            w_.close();
        }
        w_.close();
    }

    void writeSection()
    {
        const long long margin = toTwips(layout::pageMargin);
        w_.open("w:sectPr");
        w_.open("w:pgSz").attr("w:w", toTwips(layout_.pageWidth)).attr("w:h", toTwips(layout_.pageHeight));
        if (layout_.landscape) w_.attr("w:orient", "landscape");
        w_.close();
        w_.open("w:pgMar")
            .attr("w:top", margin)
            .attr("w:right", margin)
            .attr("w:bottom", margin)
            .attr("w:left", margin)
            .attr("w:header", 0)
            .attr("w:footer", 0)
            .attr("w:gutter", 0)
            .close();
        w_.close();
    }

    const DocumentContent& content_;
    const DocumentLayout& layout_;
    office::Relationships& rels_;
    office::XmlDocument w_;
    std::map<std::string, std::string> linkIds_;
    std::map<std::size_t, std::string> pictureIds_;
    long long drawingCount_ = 0;
};

}  // namespace

std::string picturePartName(const DocumentContent& content, std::size_t index)
{
    return "media/image" + std::to_string(index + 1) + "." + fileExtension(content.images[index].type);
}

std::string documentXml(const DocumentContent& content, const DocumentLayout& layout, office::Relationships& rels)
{
    return BodyWriter(content, layout, rels).write();
}

std::string hyperlinkTarget(const std::string& address)
{
    std::string source = address;
    if (source.rfind("www.", 0) == 0) source = "http://" + source;
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : source) {
        bool keep = c > 0x20 && c < 0x7F && c != '"' && c != '<' && c != '>' && c != '\\' && c != '^' &&
                    c != '`' && c != '{' && c != '|' && c != '}';
        if (keep) {
            out += static_cast<char>(c);
        } else if (c == '\\') {
            out += '/';  // Windows-style separators in file addresses
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

}  // namespace word
