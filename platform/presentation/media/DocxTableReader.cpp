#include "media/DocxTableReader.h"

#include <algorithm>
#include <map>
#include <set>

#include "media/MediaError.h"
#include "office/package/OpcNames.h"
#include "office/package/PackageKind.h"
#include "office/package/XmlAccess.h"

namespace pptmedia {

using office::isWordKind;
using office::localName;
using office::OpcPackage;
using office::openWordPackage;
using office::OpenedPackage;
using office::PackageKind;
using office::probePackageKind;
namespace xml = office::xml;

std::string DocxParagraph::text() const
{
    std::string all;
    for (const DocxRun& run : runs) all += run.text;
    return all;
}

std::string DocxCell::text() const
{
    std::string all;
    for (std::size_t i = 0; i < paragraphs.size(); ++i) all += (i ? "\n" : "") + paragraphs[i].text();
    return all;
}

std::size_t DocxTable::columnCount() const
{
    std::size_t widest = 0;
    for (const DocxRow& row : rows) {
        std::size_t span = 0;
        for (const DocxCell& cell : row.cells) span += static_cast<std::size_t>(std::max(cell.gridSpan, 1));
        widest = std::max(widest, span);
    }
    return std::max(widest, gridColumnsPt.size());
}

namespace {

constexpr double kTwipsPerPoint = 20.0;
constexpr int kMaxStyleDepth = 32;
constexpr int kMaxNesting = 64;

// Run properties while they are being resolved: unset fields inherit.
struct RunProps {
    std::optional<std::string> font;
    std::optional<double> sizePt;
    std::optional<bool> bold, italic, underline, strike;

    void overlay(const RunProps& o)
    {
        if (o.font) font = o.font;
        if (o.sizePt) sizePt = o.sizePt;
        if (o.bold) bold = o.bold;
        if (o.italic) italic = o.italic;
        if (o.underline) underline = o.underline;
        if (o.strike) strike = o.strike;
    }
};

struct ParaProps {
    std::optional<DocxAlignment> alignment;
    std::optional<double> before, after, line;

    void overlay(const ParaProps& o)
    {
        if (o.alignment) alignment = o.alignment;
        if (o.before) before = o.before;
        if (o.after) after = o.after;
        if (o.line) line = o.line;
    }
};

struct Style {
    std::string basedOn;
    RunProps run;
    ParaProps para;
};

struct ThemeFonts {
    std::string major, minor;
};

class Reader {
public:
    Reader(const OpcPackage& package, const std::string& mainPart) : package_(package), mainPart_(mainPart)
    {
        loadTheme();
        loadStyles();
    }

    DocxDocument read()
    {
        pugi::xml_document doc;
        package_.readXml(mainPart_, doc);
        pugi::xml_node body = xml::child(doc.document_element(), "body");
        DocxDocument result;
        RunProps base = defaultsRun_;
        base.overlay(styleRun(defaultParagraphStyle_, "paragraph"));
        result.defaultFontName = base.font.value_or("");
        result.defaultSizePt = base.sizePt.value_or(10);
        forEachWrapped(body, "tbl", 0, [&](const pugi::xml_node& tbl, int depth) {
            result.tables.push_back(readTable(tbl, depth));
        });
        return result;
    }

private:
    // ----- styles and theme
    void loadTheme()
    {
        auto rel = package_.firstOfKind(mainPart_, "theme");
        if (!rel || rel->targetPart.empty() || !package_.hasPart(rel->targetPart)) return;
        pugi::xml_document doc;
        package_.readXml(rel->targetPart, doc);
        pugi::xml_node scheme = xml::descendant(doc.document_element(), "fontScheme");
        theme_.major = xml::text(xml::child(xml::child(scheme, "majorFont"), "latin"), "typeface");
        theme_.minor = xml::text(xml::child(xml::child(scheme, "minorFont"), "latin"), "typeface");
    }

    void loadStyles()
    {
        auto rel = package_.firstOfKind(mainPart_, "styles");
        if (!rel || rel->targetPart.empty() || !package_.hasPart(rel->targetPart)) return;
        pugi::xml_document doc;
        package_.readXml(rel->targetPart, doc);
        pugi::xml_node root = doc.document_element();
        pugi::xml_node defaults = xml::child(root, "docDefaults");
        defaultsRun_ = runProps(xml::child(xml::child(defaults, "rPrDefault"), "rPr"));
        defaultsPara_ = paraProps(xml::child(xml::child(defaults, "pPrDefault"), "pPr"));
        for (pugi::xml_node node : root.children()) {
            if (!xml::is(node, "style")) continue;
            std::string type = xml::text(node, "type");
            std::string id = xml::text(node, "styleId");
            Style style;
            style.basedOn = xml::text(xml::child(node, "basedOn"), "val");
            style.run = runProps(xml::child(node, "rPr"));
            style.para = paraProps(xml::child(node, "pPr"));
            std::string isDefault = xml::text(node, "default");
            if (type == "paragraph" && (isDefault == "1" || isDefault == "true" || isDefault == "on") &&
                defaultParagraphStyle_.empty())
                defaultParagraphStyle_ = id;
            styles_[type + ":" + id] = std::move(style);
        }
    }

    template <typename Props, typename Member>
    Props styleChain(const std::string& id, const std::string& type, Member member) const
    {
        std::vector<const Style*> chain;
        std::set<std::string> seen;
        std::string current = id;
        while (!current.empty() && chain.size() < kMaxStyleDepth && seen.insert(current).second) {
            auto it = styles_.find(type + ":" + current);
            if (it == styles_.end()) break;
            chain.push_back(&it->second);
            current = it->second.basedOn;
        }
        Props props;
        for (auto it = chain.rbegin(); it != chain.rend(); ++it) props.overlay((*it)->*member);
        return props;
    }
    RunProps styleRun(const std::string& id, const std::string& type) const
    {
        return styleChain<RunProps>(id, type, &Style::run);
    }
    ParaProps stylePara(const std::string& id) const { return styleChain<ParaProps>(id, "paragraph", &Style::para); }

    std::string fontOf(const pugi::xml_node& fonts) const
    {
        for (const char* attribute : {"ascii", "hAnsi", "cs", "eastAsia"}) {
            std::string name = xml::text(fonts, attribute);
            if (!name.empty()) return name;
        }
        std::string themed = xml::text(fonts, "asciiTheme");
        if (themed.empty()) themed = xml::text(fonts, "hAnsiTheme");
        if (themed.rfind("major", 0) == 0) return theme_.major;
        if (themed.rfind("minor", 0) == 0) return theme_.minor;
        return "";
    }

    RunProps runProps(const pugi::xml_node& rPr) const
    {
        RunProps p;
        if (!rPr) return p;
        if (pugi::xml_node n = xml::child(rPr, "rFonts")) {
            std::string font = fontOf(n);
            if (!font.empty()) p.font = font;
        }
        if (pugi::xml_node n = xml::child(rPr, "sz"); n && xml::has(n, "val")) {
            double halfPoints = xml::number(n, "val");
            if (halfPoints > 0 && halfPoints <= 3276) p.sizePt = halfPoints / 2;
        }
        if (pugi::xml_node n = xml::child(rPr, "b")) p.bold = xml::onOff(n);
        if (pugi::xml_node n = xml::child(rPr, "i")) p.italic = xml::onOff(n);
        if (pugi::xml_node n = xml::child(rPr, "u")) p.underline = xml::onOff(n);
        pugi::xml_node strike = xml::child(rPr, "strike"), dstrike = xml::child(rPr, "dstrike");
        if (strike || dstrike) p.strike = (strike && xml::onOff(strike)) || (dstrike && xml::onOff(dstrike));
        return p;
    }

    ParaProps paraProps(const pugi::xml_node& pPr) const
    {
        ParaProps p;
        if (!pPr) return p;
        if (pugi::xml_node jc = xml::child(pPr, "jc")) {
            std::string v = xml::text(jc, "val");
            if (v == "center")
                p.alignment = DocxAlignment::Centre;
            else if (v == "right" || v == "end")
                p.alignment = DocxAlignment::Right;
            else if (v == "both" || v == "distribute")
                p.alignment = DocxAlignment::Justify;
            else
                p.alignment = DocxAlignment::Left;
        }
        if (pugi::xml_node sp = xml::child(pPr, "spacing")) {
            if (xml::has(sp, "before")) p.before = std::max(0.0, xml::number(sp, "before") / kTwipsPerPoint);
            if (xml::has(sp, "after")) p.after = std::max(0.0, xml::number(sp, "after") / kTwipsPerPoint);
            std::string rule = xml::text(sp, "lineRule");
            if (xml::has(sp, "line") && (rule.empty() || rule == "auto"))
                p.line = std::clamp(xml::number(sp, "line") / 240.0, 0.25, 10.0);
        }
        return p;
    }

    // ----- body
    // Calls visit(element, depth) for each `name` element of `container`,
    // also those inside the content controls and custom XML that may wrap
    // it; each wrapper adds one to the depth.
    template <class Visit>
    static void forEachWrapped(const pugi::xml_node& container, const char* name, int depth, Visit&& visit)
    {
        if (depth > kMaxNesting) return;
        for (pugi::xml_node node : container.children()) {
            if (xml::is(node, name))
                visit(node, depth);
            else if (xml::is(node, "sdt"))
                forEachWrapped(xml::child(node, "sdtContent"), name, depth + 1, visit);
            else if (xml::is(node, "customXml"))
                forEachWrapped(node, name, depth + 1, visit);
        }
    }

    static double twips(const pugi::xml_node& node, const char* attribute)
    {
        return xml::number(node, attribute) / kTwipsPerPoint;
    }

    static void readMargins(const pugi::xml_node& mar, DocxCellMargins& margins)
    {
        auto side = [&](std::initializer_list<const char*> names, double& value) {
            for (const char* name : names)
                if (pugi::xml_node n = xml::child(mar, name)) {
                    std::string type = xml::text(n, "type");
                    if (type.empty() || type == "dxa") value = std::max(0.0, twips(n, "w"));
                    return;
                }
        };
        side({"top"}, margins.topPt);
        side({"left", "start"}, margins.leftPt);
        side({"bottom"}, margins.bottomPt);
        side({"right", "end"}, margins.rightPt);
    }

    DocxTable readTable(const pugi::xml_node& tbl, int depth)
    {
        DocxTable table;
        pugi::xml_node tblPr = xml::child(tbl, "tblPr");
        tableStyle_ = xml::text(xml::child(tblPr, "tblStyle"), "val");
        if (pugi::xml_node mar = xml::child(tblPr, "tblCellMar")) readMargins(mar, table.cellMargins);
        for (pugi::xml_node col : xml::child(tbl, "tblGrid").children())
            if (xml::is(col, "gridCol")) table.gridColumnsPt.push_back(std::max(0.0, twips(col, "w")));
        // Rows and cells keep their table's depth: the wrappers around them are counted apart.
        forEachWrapped(tbl, "tr", 0, [&](const pugi::xml_node& tr, int) { table.rows.push_back(readRow(tr, depth)); });
        return table;
    }

    DocxRow readRow(const pugi::xml_node& tr, int depth)
    {
        DocxRow row;
        if (pugi::xml_node height = xml::child(xml::child(tr, "trPr"), "trHeight")) {
            row.heightPt = std::max(0.0, twips(height, "val"));
            std::string rule = xml::text(height, "hRule");
            row.heightRule = rule == "exact" ? DocxHeightRule::Exact
                             : rule == "auto" ? DocxHeightRule::Auto
                                              : DocxHeightRule::AtLeast;
            if (row.heightPt == 0) row.heightRule = DocxHeightRule::Auto;
        }
        forEachWrapped(tr, "tc", 0, [&](const pugi::xml_node& tc, int) { row.cells.push_back(readCell(tc, depth)); });
        return row;
    }

    DocxCell readCell(const pugi::xml_node& tc, int depth)
    {
        DocxCell cell;
        pugi::xml_node tcPr = xml::child(tc, "tcPr");
        if (pugi::xml_node w = xml::child(tcPr, "tcW")) {
            std::string type = xml::text(w, "type");
            if (type.empty() || type == "dxa") cell.widthPt = std::max(0.0, twips(w, "w"));
        }
        if (pugi::xml_node span = xml::child(tcPr, "gridSpan"))
            cell.gridSpan = static_cast<int>(std::clamp(xml::number(span, "val", 1), 1.0, 1000.0));
        if (pugi::xml_node merge = xml::child(tcPr, "vMerge"))
            cell.verticalMerge = xml::text(merge, "val") == "restart" ? DocxVerticalMerge::Restart
                                                                      : DocxVerticalMerge::Continue;
        if (pugi::xml_node mar = xml::child(tcPr, "tcMar")) {
            DocxCellMargins margins;
            readMargins(mar, margins);
            cell.margins = margins;
        }
        collectParagraphs(tc, cell.paragraphs, depth);
        return cell;
    }

    void collectParagraphs(const pugi::xml_node& container, std::vector<DocxParagraph>& out, int depth)
    {
        if (depth > kMaxNesting) return;
        for (pugi::xml_node node : container.children()) {
            if (xml::is(node, "p")) {
                out.push_back(readParagraph(node));
            } else if (xml::is(node, "tbl")) {
                // A nested table is shown as its cells' paragraphs in order.
                for (pugi::xml_node tr : node.children())
                    if (xml::is(tr, "tr"))
                        for (pugi::xml_node tc : tr.children())
                            if (xml::is(tc, "tc")) collectParagraphs(tc, out, depth + 1);
            } else if (xml::is(node, "sdt")) {
                collectParagraphs(xml::child(node, "sdtContent"), out, depth + 1);
            } else if (xml::is(node, "customXml")) {
                collectParagraphs(node, out, depth + 1);
            }
        }
    }

    DocxParagraph readParagraph(const pugi::xml_node& p)
    {
        pugi::xml_node pPr = xml::child(p, "pPr");
        std::string styleId = xml::text(xml::child(pPr, "pStyle"), "val");
        if (styleId.empty()) styleId = defaultParagraphStyle_;

        ParaProps para = defaultsPara_;
        para.overlay(stylePara(styleId));
        para.overlay(paraProps(pPr));
        RunProps base = defaultsRun_;
        base.overlay(styleRun(tableStyle_, "table"));
        base.overlay(styleRun(styleId, "paragraph"));

        DocxParagraph paragraph;
        paragraph.alignment = para.alignment.value_or(DocxAlignment::Left);
        paragraph.spaceBeforePt = para.before.value_or(0);
        paragraph.spaceAfterPt = para.after.value_or(0);
        paragraph.lineSpacing = para.line.value_or(1.0);
        RunProps mark = base;
        mark.overlay(runProps(xml::child(pPr, "rPr")));
        paragraph.mark = formatted(mark);
        collectRuns(p, base, paragraph, 0);
        return paragraph;
    }

    void collectRuns(const pugi::xml_node& container, const RunProps& base, DocxParagraph& paragraph, int depth)
    {
        if (depth > kMaxNesting) return;
        for (pugi::xml_node node : container.children()) {
            if (node.type() != pugi::node_element) continue;
            std::string_view name = localName(node.name());
            if (name == "r")
                readRun(node, base, paragraph);
            else if (name == "hyperlink" || name == "ins" || name == "moveTo" || name == "smartTag" ||
                     name == "customXml" || name == "fldSimple" || name == "dir" || name == "bdo")
                collectRuns(node, base, paragraph, depth + 1);
            else if (name == "sdt")
                collectRuns(xml::child(node, "sdtContent"), base, paragraph, depth + 1);
        }
    }

    static DocxRun formatted(const RunProps& props)
    {
        DocxRun run;
        run.fontName = props.font.value_or("");
        run.sizePt = props.sizePt.value_or(10);
        run.bold = props.bold.value_or(false);
        run.italic = props.italic.value_or(false);
        run.underline = props.underline.value_or(false);
        run.strike = props.strike.value_or(false);
        return run;
    }

    DocxPicture pictureOf(const pugi::xml_node& node) const
    {
        DocxPicture picture;
        if (pugi::xml_node extent = xml::descendant(node, "extent")) {
            picture.widthPt = std::max(0.0, xml::number(extent, "cx") / office::opc::emuPerPoint);
            picture.heightPt = std::max(0.0, xml::number(extent, "cy") / office::opc::emuPerPoint);
        }
        // The picture itself, so that it can be drawn; a missing part leaves its place empty.
        std::string id = xml::prefixedAttr(xml::descendant(node, "blip"), "embed").as_string();
        auto rel = id.empty() ? std::nullopt : package_.relationship(mainPart_, id);
        if (rel && !rel->external && !rel->targetPart.empty() && package_.hasPart(rel->targetPart)) {
            try {
                picture.bytes = std::make_shared<const Bytes>(package_.readPart(rel->targetPart));
            } catch (const MediaError&) {
                picture.bytes = nullptr;
            }
        }
        return picture;
    }

    void readRun(const pugi::xml_node& r, const RunProps& base, DocxParagraph& paragraph)
    {
        pugi::xml_node rPr = xml::child(r, "rPr");
        RunProps props = base;
        props.overlay(styleRun(xml::text(xml::child(rPr, "rStyle"), "val"), "character"));
        props.overlay(runProps(rPr));

        DocxRun run = formatted(props);
        for (pugi::xml_node node : r.children()) {
            if (node.type() != pugi::node_element) continue;
            std::string_view name = localName(node.name());
            if (name == "t")
                run.text += node.child_value();
            else if (name == "tab" || name == "ptab")
                run.text += '\t';
            else if (name == "br" || name == "cr")
                run.text += '\n';
            else if (name == "noBreakHyphen")
                run.text += '-';
            else if (name == "drawing" || name == "pict" || name == "object" || name == "AlternateContent")
                paragraph.pictures.push_back(pictureOf(node));
        }
        if (!run.text.empty()) paragraph.runs.push_back(std::move(run));
    }

    const OpcPackage& package_;
    std::string mainPart_;
    ThemeFonts theme_;
    RunProps defaultsRun_;
    ParaProps defaultsPara_;
    std::string defaultParagraphStyle_;
    std::string tableStyle_;
    std::map<std::string, Style> styles_;
};

}  // namespace

DocxDocument readDocxTables(const OpcPackage& package, const std::string& mainPart)
{
    return Reader(package, mainPart).read();
}

DocxDocument readDocxTables(const std::filesystem::path& path, const std::string& displayName)
{
    OpenedPackage opened = openWordPackage(path, displayName);
    return readDocxTables(*opened.package, opened.mainPart);
}

DocxTable readFirstDocxTable(const std::filesystem::path& path, const std::string& displayName)
{
    DocxDocument document = readDocxTables(path, displayName);
    if (document.tables.empty())
        throw MediaError(MediaErrorKind::NoTable, "Word document " + quoteName(displayName) + " holds no table");
    return std::move(document.tables.front());
}

bool isWordprocessingPackage(const std::filesystem::path& path)
{
    try {
        return isWordKind(probePackageKind(path, path.filename().string()));
    } catch (const MediaError&) {
        return false;
    }
}

}  // namespace pptmedia
