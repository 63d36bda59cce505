#include "package/ShapeXml.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <variant>

#include "com/ComString.h"

namespace ppt {
namespace {

constexpr std::int64_t kMaxCoordinate = 27273042316900;  // ST_Coordinate

void writeRunProperties(office::XmlWriter& xml, const char* tag, const CharFormat& f, PartLinks* links)
{
    xml.start(tag);
    xml.attr("lang", "en-US");
    xml.attr("sz", static_cast<std::int64_t>(std::lround(std::clamp(f.size, 1.0f, 4000.0f) * 100.0f)));
    if (f.bold) xml.attr("b", "1");
    if (f.italic) xml.attr("i", "1");
    if (f.underline) xml.attr("u", "sng");
    xml.attr("dirty", "0");
    xml.start("a:latin");
    xml.attr("typeface", FontNames::instance().name(f.font));
    xml.end("a:latin");
    if (links) {
        for (auto [link, element] : {std::pair{f.clickLink, "a:hlinkClick"}, std::pair{f.overLink, "a:hlinkMouseOver"}}) {
            const PartLinks::Ref& ref = links->resolve(link);
            if (ref.id.empty()) continue;
            xml.start(element);
            xml.attr("r:id", ref.id);
            if (ref.slideJump) xml.attr("action", "ppaction://hlinksldjump");
            xml.end(element);
        }
    }
    xml.end(tag);
}

void writeParagraphProperties(office::XmlWriter& xml, const ParaFormat& p)
{
    xml.start("a:pPr");
    if (p.bullet) {
        xml.attr("marL", 342900);
        xml.attr("indent", -342900);
    }
    switch (p.align) {
    case Align::Center: xml.attr("algn", "ctr"); break;
    case Align::Right: xml.attr("algn", "r"); break;
    case Align::Justify: xml.attr("algn", "just"); break;
    case Align::Left: xml.attr("algn", "l"); break;
    }
    if (p.bullet) {
        xml.start("a:buFont");
        xml.attr("typeface", "Arial");
        xml.end("a:buFont");
        xml.start("a:buChar");
        xml.attr("char", u"\u2022");
        xml.end("a:buChar");
    } else {
        xml.empty("a:buNone");
    }
    xml.end("a:pPr");
}

// XML readers refuse text nodes above 10,000,000 bytes (libxml2's limit). A
// piece of this many UTF-16 units stays far below it even in UTF-8, where a
// unit takes at most three bytes.
constexpr std::size_t kLongestRunText = 1'000'000;

// Text kept one byte per character goes out through the UTF-8 writer: as
// it is when ASCII, converted when it holds Latin-1 letters.
void writeText(office::XmlWriter& xml, std::u16string_view text) { xml.text(text); }
void writeText(office::XmlWriter& xml, std::string_view latin1)
{
    if (std::all_of(latin1.begin(), latin1.end(), [](char c) { return latin1Unit(c) < 0x80; })) {
        xml.text(latin1);
        return;
    }
    thread_local std::string utf8;
    utf8.clear();
    for (char c : latin1) {
        const char16_t u = latin1Unit(c);
        if (u < 0x80) {
            utf8.push_back(c);
        } else {
            utf8.push_back(static_cast<char>(0xC0 | (u >> 6)));
            utf8.push_back(static_cast<char>(0x80 | (u & 0x3F)));
        }
    }
    xml.text(utf8);
}

// A long run is written as several runs of the same format, each cut
// between two characters (never inside a surrogate pair).
template <class Text>
void writeRun(office::XmlWriter& xml, Text text, const CharFormat& f, PartLinks* links)
{
    while (!text.empty()) {
        std::size_t cut = std::min(text.size(), kLongestRunText);
        if (cut < text.size() && latin1Unit(text[cut - 1]) >= 0xD800 && latin1Unit(text[cut - 1]) <= 0xDBFF) --cut;
        xml.start("a:r");
        writeRunProperties(xml, "a:rPr", f, links);
        xml.start("a:t");
        writeText(xml, text.substr(0, cut));
        xml.end("a:t");
        xml.end("a:r");
        text.remove_prefix(cut);
    }
}

const char* placeholderType(PlaceholderType type)
{
    switch (type) {
    case PlaceholderType::Date: return "dt";
    case PlaceholderType::Footer: return "ftr";
    case PlaceholderType::SlideNumber: return "sldNum";
    case PlaceholderType::SlideImage: return "sldImg";
    case PlaceholderType::NotesBody:
    case PlaceholderType::Body: return "body";
    }
    return "body";
}

void writeNonVisual(office::XmlWriter& xml, const ShapeModel& shape, PartLinks& links, const PlaceholderShape* placeholder)
{
    xml.start("p:nvSpPr");
    writeShapeName(xml, shape.id, shape.name.text(), &shape, links);
    if (placeholder) {
        xml.start("p:cNvSpPr");
        xml.start("a:spLocks");
        xml.attr("noGrp", "1");
        if (placeholder->type == PlaceholderType::SlideImage) {
            xml.attr("noRot", "1");
            xml.attr("noChangeAspect", "1");
        }
        xml.end("a:spLocks");
        xml.end("p:cNvSpPr");
        xml.start("p:nvPr");
        xml.start("p:ph");
        xml.attr("type", placeholderType(placeholder->type));
        if (placeholder->type == PlaceholderType::Date || placeholder->type == PlaceholderType::Footer ||
            placeholder->type == PlaceholderType::SlideNumber)
            xml.attr("sz", "quarter");
        if (placeholder->index) xml.attr("idx", placeholder->index);
        xml.end("p:ph");
        xml.end("p:nvPr");
    } else {
        xml.start("p:cNvSpPr");
        xml.attr("txBox", "1");
        xml.end("p:cNvSpPr");
        xml.empty("p:nvPr");
    }
    xml.end("p:nvSpPr");
}

}  // namespace

void writeXfrm(office::XmlWriter& xml, const char* tag, const Box& box)
{
    xml.start(tag);
    xml.start("a:off");
    xml.attr("x", emu(box.left));
    xml.attr("y", emu(box.top));
    xml.end("a:off");
    xml.start("a:ext");
    xml.attr("cx", std::max<std::int64_t>(0, emu(box.width)));
    xml.attr("cy", std::max<std::int64_t>(0, emu(box.height)));
    xml.end("a:ext");
    xml.end(tag);
}

void writeShapeName(office::XmlWriter& xml, int id, const std::u16string& name, const ShapeModel* linksOf,
                    PartLinks& links)
{
    xml.start("p:cNvPr");
    xml.attr("id", id);
    xml.attr("name", name);
    if (linksOf) {
        for (auto [link, element] :
             {std::pair{linksOf->clickLink, "a:hlinkClick"}, std::pair{linksOf->overLink, "a:hlinkHover"}}) {
            const PartLinks::Ref& ref = links.resolve(link);
            if (ref.id.empty()) continue;
            xml.start(element);
            xml.attr("r:id", ref.id);
            if (ref.slideJump) xml.attr("action", "ppaction://hlinksldjump");
            xml.end(element);
        }
    }
    xml.end("p:cNvPr");
}

std::int64_t emu(float points)
{
    if (std::isnan(points)) return 0;
    const double value = std::round(static_cast<double>(points) * 12700.0);
    return static_cast<std::int64_t>(std::clamp(value, -static_cast<double>(kMaxCoordinate), static_cast<double>(kMaxCoordinate)));
}

void writeTreeGroup(office::XmlWriter& xml)
{
    xml.raw("<p:nvGrpSpPr><p:cNvPr id=\"1\" name=\"\"/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr>"
            "<p:grpSpPr><a:xfrm><a:off x=\"0\" y=\"0\"/><a:ext cx=\"0\" cy=\"0\"/><a:chOff x=\"0\" y=\"0\"/>"
            "<a:chExt cx=\"0\" cy=\"0\"/></a:xfrm></p:grpSpPr>");
}

namespace {

template <class Text>
void writeParagraphsOf(office::XmlWriter& xml, const TextBody& body, Text text, PartLinks* links)
{
    const auto& chars = body.chars();
    const auto& paras = body.paras();
    std::size_t paraRun = 0;
    for (int p = 0; p < body.paragraphCount(); ++p) {
        const int start = body.paragraphStart(p);
        const int end = body.paragraphEnd(p);
        while (paraRun + 1 < paras.runCount() && paras.run(paraRun + 1).start <= p) ++paraRun;
        xml.start("a:p");
        writeParagraphProperties(xml, paras.run(paraRun).value);
        std::size_t run = chars.indexOf(start);
        int pos = start;
        while (pos < end) {
            while (run + 1 < chars.runCount() && chars.run(run + 1).start <= pos) ++run;
            const CharFormat& f = chars.run(run).value;
            const int pieceEnd = std::min(end, chars.runEnd(run));
            // Line breaks inside a run become <a:br/>.
            int from = pos;
            for (int i = pos; i < pieceEnd; ++i) {
                if (!isLineBreak(latin1Unit(text[static_cast<std::size_t>(i)]))) continue;
                if (i > from) writeRun(xml, text.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(i - from)), f, links);
                xml.start("a:br");
                writeRunProperties(xml, "a:rPr", f, nullptr);
                xml.end("a:br");
                from = i + 1;
            }
            if (pieceEnd > from)
                writeRun(xml, text.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(pieceEnd - from)), f, links);
            pos = pieceEnd;
        }
        writeRunProperties(xml, "a:endParaRPr", chars.at(end), nullptr);
        xml.end("a:p");
    }
}

}  // namespace

void writeParagraphs(office::XmlWriter& xml, const TextBody& body, PartLinks* links)
{
    body.text().visit([&](auto text) { writeParagraphsOf(xml, body, text, links); });
}

void writeShape(office::XmlWriter& xml, ShapeModel& shape, PartLinks& links)
{
    const auto* placeholder = std::get_if<PlaceholderShape>(&shape.kind);
    if (!shape.isLabel() && !placeholder) return;  // pictures and objects: written by their own writers
    xml.start("p:sp");
    writeNonVisual(xml, shape, links, placeholder);
    xml.start("p:spPr");
    writeXfrm(xml, "a:xfrm", shape.effectiveBox());
    if (!placeholder) {
        xml.raw("<a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom><a:noFill/>");
    }
    xml.end("p:spPr");
    if (shape.text) {
        xml.start("p:txBody");
        xml.start("a:bodyPr");
        if (shape.isLabel()) {
            xml.attr("wrap", shape.wordWrap ? "square" : "none");
            xml.attr("lIns", 91440);
            xml.attr("tIns", 45720);
            xml.attr("rIns", 91440);
            xml.attr("bIns", 45720);
            xml.attr("rtlCol", "0");
            xml.empty(shape.autoSize == AutoSize::None ? "a:noAutofit" : "a:spAutoFit");
        }
        xml.end("a:bodyPr");
        xml.empty("a:lstStyle");
        writeParagraphs(xml, *shape.text, &links);
        xml.end("p:txBody");
    }
    xml.end("p:sp");
}

std::u16string dateText(int format)
{
    const std::time_t now = std::time(nullptr);
    std::tm t{};
    localtime_r(&now, &t);
    char out[64];
    const int hour12 = t.tm_hour % 12 == 0 ? 12 : t.tm_hour % 12;
    const char* ampm = t.tm_hour < 12 ? "AM" : "PM";
    char shortMonth[16], longMonth[32];
    std::strftime(shortMonth, sizeof shortMonth, "%b", &t);
    std::strftime(longMonth, sizeof longMonth, "%B", &t);
    switch (format) {
    case 2: std::strftime(out, sizeof out, "%A, %B %d, %Y", &t); break;
    case 3: std::strftime(out, sizeof out, "%d %B %Y", &t); break;
    case 4: std::strftime(out, sizeof out, "%B %d, %Y", &t); break;
    case 5: std::snprintf(out, sizeof out, "%d-%s-%02d", t.tm_mday, shortMonth, t.tm_year % 100); break;
    case 6: std::snprintf(out, sizeof out, "%s %02d", longMonth, t.tm_year % 100); break;
    case 7: std::snprintf(out, sizeof out, "%s-%02d", shortMonth, t.tm_year % 100); break;
    case 8: std::snprintf(out, sizeof out, "%d/%d/%d %d:%02d", t.tm_mon + 1, t.tm_mday, t.tm_year + 1900, t.tm_hour, t.tm_min); break;
    case 9: std::snprintf(out, sizeof out, "%d/%d/%d %d:%02d %s", t.tm_mon + 1, t.tm_mday, t.tm_year + 1900, hour12, t.tm_min, ampm); break;
    case 10: std::snprintf(out, sizeof out, "%d:%02d", t.tm_hour, t.tm_min); break;
    case 11: std::snprintf(out, sizeof out, "%d:%02d:%02d", t.tm_hour, t.tm_min, t.tm_sec); break;
    case 12: std::snprintf(out, sizeof out, "%d:%02d %s", hour12, t.tm_min, ampm); break;
    case 13: std::snprintf(out, sizeof out, "%d:%02d:%02d %s", hour12, t.tm_min, t.tm_sec, ampm); break;
    default: std::snprintf(out, sizeof out, "%d/%d/%d", t.tm_mon + 1, t.tm_mday, t.tm_year + 1900); break;
    }
    return com::utf8ToUtf16(out);
}

void writeFooterPlaceholders(office::XmlWriter& xml, const HeaderFooterSet& set, const std::u16string& slideNumber,
                             int& nextId)
{
    struct Item {
        const HeaderFooterState& state;
        PlaceholderType type;
        int index;
        const char* name;
        Box box;
    };
    const Item items[] = {
        {set.dateAndTime, PlaceholderType::Date, 10, "Date Placeholder ", design::date},
        {set.footer, PlaceholderType::Footer, 11, "Footer Placeholder ", design::footer},
        {set.slideNumber, PlaceholderType::SlideNumber, 12, "Slide Number Placeholder ", design::slideNumber},
    };
    for (const Item& item : items) {
        if (!item.state.visible) continue;
        const int id = nextId++;
        xml.start("p:sp");
        xml.start("p:nvSpPr");
        xml.start("p:cNvPr");
        xml.attr("id", id);
        xml.attr("name", std::string(item.name) + std::to_string(id - 1));
        xml.end("p:cNvPr");
        xml.raw("<p:cNvSpPr><a:spLocks noGrp=\"1\"/></p:cNvSpPr>");
        xml.start("p:nvPr");
        xml.start("p:ph");
        xml.attr("type", placeholderType(item.type));
        xml.attr("sz", "quarter");
        xml.attr("idx", item.index);
        xml.end("p:ph");
        xml.end("p:nvPr");
        xml.end("p:nvSpPr");
        xml.start("p:spPr");
        writeXfrm(xml, "a:xfrm", item.box);
        xml.end("p:spPr");
        xml.start("p:txBody");
        xml.empty("a:bodyPr");
        xml.empty("a:lstStyle");
        xml.start("a:p");
        // As PowerPoint places them: the footer centred, the number flush right.
        if (item.type != PlaceholderType::Date) {
            xml.start("a:pPr");
            xml.attr("algn", item.type == PlaceholderType::Footer ? "ctr" : "r");
            xml.end("a:pPr");
        }
        CharFormat plain;
        plain.size = 12.0f;  // footers are small print
        auto field = [&](const char* type, const std::u16string& text) {
            xml.start("a:fld");
            xml.attr("id", "{5C1B9E62-7A44-4E0B-9D3B-2F6A1C0E8D7" + std::to_string(item.index % 10) + "}");
            xml.attr("type", type);
            writeRunProperties(xml, "a:rPr", plain, nullptr);
            xml.start("a:t");
            xml.text(text);
            xml.end("a:t");
            xml.end("a:fld");
        };
        if (item.type == PlaceholderType::SlideNumber) {
            field("slidenum", slideNumber);
        } else if (item.type == PlaceholderType::Date && item.state.useFormat) {
            const std::string type = "datetime" + std::to_string(std::clamp(item.state.format, 1, 13));
            field(type.c_str(), dateText(item.state.format));
        } else if (!item.state.text.empty()) {
            writeRun(xml, std::u16string_view(item.state.text), plain, nullptr);
        }
        writeRunProperties(xml, "a:endParaRPr", plain, nullptr);
        xml.end("a:p");
        xml.end("p:txBody");
        xml.end("p:sp");
    }
}

}  // namespace ppt
