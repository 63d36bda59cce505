#include "template/PptxReader.h"

#include <algorithm>
#include <map>
#include <optional>

#include "media/MediaError.h"
#include "office/package/OpcNames.h"
#include "office/package/PackageKind.h"
#include "office/package/XmlAccess.h"

namespace pptmedia {

using office::isRelationshipKind;
using office::lowerAscii;
using office::OpcPackage;
using office::OpenedPackage;
using office::openPresentationPackage;
using office::PackageKind;
using office::Relationship;
namespace xml = office::xml;

std::string PptxParagraph::text() const
{
    std::string all;
    for (const PptxRun& run : runs) all += run.text;
    return all;
}

namespace {

std::string joinParagraphs(const std::vector<PptxParagraph>& paragraphs)
{
    std::string all;
    for (std::size_t i = 0; i < paragraphs.size(); ++i) all += (i ? "\r" : "") + paragraphs[i].text();
    return all;
}

}  // namespace

std::string PptxShape::text() const { return joinParagraphs(paragraphs); }
std::string PptxSlide::notesText() const { return joinParagraphs(notes); }

namespace {

constexpr int kMaxGroupDepth = 32;

struct Box {
    bool valid = false;
    double x = 0, y = 0, cx = 0, cy = 0;  // EMU
};

Box readXfrm(const pugi::xml_node& xfrm)
{
    Box box;
    pugi::xml_node off = xml::child(xfrm, "off"), ext = xml::child(xfrm, "ext");
    if (!off || !ext) return box;
    box = {true, xml::number(off, "x"), xml::number(off, "y"), xml::number(ext, "cx"), xml::number(ext, "cy")};
    return box;
}

// Maps a group's child coordinates onto the slide.
struct Transform {
    double offX = 0, offY = 0, scaleX = 1, scaleY = 1;

    Box apply(const Box& b) const
    {
        if (!b.valid) return b;
        return {true, offX + b.x * scaleX, offY + b.y * scaleY, b.cx * scaleX, b.cy * scaleY};
    }
    Transform inner(const pugi::xml_node& groupXfrm) const
    {
        Box outer = readXfrm(groupXfrm);
        pugi::xml_node chOff = xml::child(groupXfrm, "chOff"), chExt = xml::child(groupXfrm, "chExt");
        if (!outer.valid || !chOff || !chExt) return *this;
        double chCx = xml::number(chExt, "cx"), chCy = xml::number(chExt, "cy");
        double sx = chCx > 0 ? outer.cx / chCx : 1, sy = chCy > 0 ? outer.cy / chCy : 1;
        Transform t;
        // child -> group space -> parent space
        t.scaleX = scaleX * sx;
        t.scaleY = scaleY * sy;
        t.offX = offX + scaleX * (outer.x - xml::number(chOff, "x") * sx);
        t.offY = offY + scaleY * (outer.y - xml::number(chOff, "y") * sy);
        return t;
    }
};

struct PlaceholderBox {
    std::string type;
    long index;
    Box box;
};

int alignmentCode(const std::string& algn)
{
    if (algn == "ctr") return 2;
    if (algn == "r") return 3;
    if (algn == "just" || algn == "dist" || algn == "justLow" || algn == "thaiDist") return 4;
    return 1;
}

class DeckReader {
public:
    DeckReader(const OpcPackage& package, std::string mainPart, const PptxReadOptions& options)
        : package_(package), mainPart_(std::move(mainPart)), options_(options)
    {
    }

    PptxDeck read()
    {
        PptxDeck deck;
        pugi::xml_document doc;
        package_.readXml(mainPart_, doc);
        pugi::xml_node root = doc.document_element();
        readSlideSize(root, deck.slideWidthPt, deck.slideHeightPt);
        auto rels = package_.relationships(mainPart_);
        auto targetOf = [&](const std::string& id) -> std::string {
            for (const Relationship& rel : rels)
                if (rel.id == id && !rel.external) return rel.targetPart;
            return "";
        };
        if (pugi::xml_node master = xml::child(xml::child(root, "sldMasterIdLst"), "sldMasterId"))
            deck.masterPart = targetOf(xml::prefixedAttr(master, "id").as_string());

        // Slide ids first: links between slides refer to them.
        std::vector<std::pair<std::uint32_t, std::string>> order;
        for (pugi::xml_node id : xml::child(root, "sldIdLst").children()) {
            if (!xml::is(id, "sldId")) continue;
            std::string part = targetOf(xml::prefixedAttr(id, "id").as_string());
            if (part.empty() || !package_.hasPart(part)) continue;
            auto slideId = static_cast<std::uint32_t>(xml::number(id, "id"));
            order.emplace_back(slideId, part);
            slideByPart_[lowerAscii(part)] = {slideId, order.size()};
        }
        for (const auto& [slideId, part] : order) {
            if (deck.slides.size() >= options_.maxSlides) break;
            deck.slides.push_back(readSlide(slideId, part));
        }
        return deck;
    }

private:
    PptxSlide readSlide(std::uint32_t slideId, const std::string& part)
    {
        PptxSlide slide;
        slide.slideId = slideId;
        slide.partName = part;
        auto rels = package_.relationships(part);
        for (const Relationship& rel : rels)
            if (isRelationshipKind(rel.type, "slideLayout")) slide.layoutPart = rel.targetPart;

        pugi::xml_document doc;
        package_.readXml(part, doc);
        pugi::xml_node tree = xml::child(xml::child(doc.document_element(), "cSld"), "spTree");
        readTree(tree, Transform(), part, rels, slide.layoutPart, slide.shapes, 0);

        for (const Relationship& rel : rels) {
            if (!isRelationshipKind(rel.type, "notesSlide") || rel.targetPart.empty() || !package_.hasPart(rel.targetPart))
                continue;
            slide.notes = readNotes(rel.targetPart);
            break;
        }
        return slide;
    }

    std::vector<PptxParagraph> readNotes(const std::string& part)
    {
        auto rels = package_.relationships(part);
        pugi::xml_document doc;
        package_.readXml(part, doc);
        std::vector<PptxShape> shapes;
        pugi::xml_node tree = xml::child(xml::child(doc.document_element(), "cSld"), "spTree");
        readTree(tree, Transform(), part, rels, "", shapes, 0);
        for (PptxShape& shape : shapes)
            if (shape.kind == PptxShapeKind::Placeholder && shape.placeholderType == "body")
                return std::move(shape.paragraphs);
        // No notes placeholder (some writers use a plain text box): take the
        // page's own text shapes.
        std::vector<PptxParagraph> paragraphs;
        for (PptxShape& shape : shapes)
            if (shape.kind == PptxShapeKind::Text)
                for (PptxParagraph& paragraph : shape.paragraphs) paragraphs.push_back(std::move(paragraph));
        return paragraphs;
    }

    void readTree(const pugi::xml_node& tree, const Transform& transform, const std::string& part,
                  const std::vector<Relationship>& rels, const std::string& layoutPart, std::vector<PptxShape>& out,
                  int depth)
    {
        if (depth > kMaxGroupDepth) return;
        for (pugi::xml_node node : tree.children()) {
            if (xml::is(node, "sp"))
                out.push_back(readShape(node, transform, rels, layoutPart));
            else if (xml::is(node, "pic"))
                out.push_back(readPicture(node, transform, rels));
            else if (xml::is(node, "graphicFrame"))
                out.push_back(readFrame(node, transform, rels));
            else if (xml::is(node, "grpSp"))
                readTree(node, transform.inner(xml::child(xml::child(node, "grpSpPr"), "xfrm")), part, rels,
                         layoutPart, out, depth + 1);
            else if (xml::is(node, "AlternateContent")) {
                pugi::xml_node branch = xml::child(node, "Fallback");
                if (!branch) branch = xml::child(node, "Choice");
                readTree(branch, transform, part, rels, layoutPart, out, depth + 1);
            }
        }
    }

    static void setBox(PptxShape& shape, const Box& box)
    {
        if (!box.valid) return;
        shape.leftPt = box.x / office::opc::emuPerPoint;
        shape.topPt = box.y / office::opc::emuPerPoint;
        shape.widthPt = box.cx / office::opc::emuPerPoint;
        shape.heightPt = box.cy / office::opc::emuPerPoint;
    }

    static void readIdentity(const pugi::xml_node& cNvPr, PptxShape& shape)
    {
        shape.id = static_cast<std::uint32_t>(xml::number(cNvPr, "id"));
        shape.name = xml::text(cNvPr, "name");
    }

    PptxHyperlink linkOf(const pugi::xml_node& hlink, const std::vector<Relationship>& rels) const
    {
        PptxHyperlink link;
        if (!hlink) return link;
        link.action = xml::text(hlink, "action");
        std::string id = xml::prefixedAttr(hlink, "id").as_string();
        for (const Relationship& rel : rels) {
            if (rel.id != id) continue;
            if (rel.external) {
                link.address = rel.target;
            } else {
                auto slide = slideByPart_.find(lowerAscii(rel.targetPart));
                if (slide != slideByPart_.end()) {
                    link.targetSlideId = slide->second.first;
                    link.targetSlideIndex = slide->second.second;
                } else {
                    link.address = rel.target;
                }
            }
        }
        // An action without a target ("ppaction://noaction") is kept as is.
        return link;
    }

    std::vector<PptxParagraph> readText(const pugi::xml_node& txBody, const std::vector<Relationship>& rels) const
    {
        std::vector<PptxParagraph> paragraphs;
        for (pugi::xml_node p : txBody.children()) {
            if (!xml::is(p, "p")) continue;
            PptxParagraph paragraph;
            if (pugi::xml_node pPr = xml::child(p, "pPr")) {
                paragraph.alignment = alignmentCode(xml::text(pPr, "algn"));
                paragraph.level = static_cast<int>(xml::number(pPr, "lvl"));
                paragraph.bullet = xml::child(pPr, "buChar") || xml::child(pPr, "buAutoNum") || xml::child(pPr, "buBlip");
            }
            for (pugi::xml_node r : p.children()) {
                bool isRun = xml::is(r, "r"), isField = xml::is(r, "fld"), isBreak = xml::is(r, "br");
                if (!isRun && !isField && !isBreak) continue;
                PptxRun run = formatted(xml::child(r, "rPr"), rels);
                run.text = isBreak ? std::string("\v") : std::string(xml::child(r, "t").child_value());
                paragraph.runs.push_back(std::move(run));
            }
            paragraphs.push_back(std::move(paragraph));
        }
        return paragraphs;
    }

    PptxRun formatted(const pugi::xml_node& rPr, const std::vector<Relationship>& rels) const
    {
        PptxRun run;
        if (!rPr) return run;
        run.sizePt = xml::number(rPr, "sz") / 100.0;
        auto isTrue = [&](const char* name) {
            std::string v = xml::text(rPr, name);
            return v == "1" || v == "true";
        };
        run.bold = isTrue("b");
        run.italic = isTrue("i");
        std::string u = xml::text(rPr, "u");
        run.underline = !u.empty() && u != "none";
        std::string strike = xml::text(rPr, "strike");
        run.strike = !strike.empty() && strike != "noStrike";
        run.fontName = xml::text(xml::child(rPr, "latin"), "typeface");
        if (pugi::xml_node rgb = xml::child(xml::child(rPr, "solidFill"), "srgbClr")) run.colour = xml::text(rgb, "val");
        run.link = linkOf(xml::child(rPr, "hlinkClick"), rels);
        return run;
    }

    void readTextFrame(const pugi::xml_node& txBody, const std::vector<Relationship>& rels, PptxShape& shape) const
    {
        if (!txBody) return;
        shape.hasTextFrame = true;
        pugi::xml_node bodyPr = xml::child(txBody, "bodyPr");
        shape.wordWrap = xml::text(bodyPr, "wrap") != "none";
        shape.autoSize = xml::child(bodyPr, "spAutoFit") ? 1 : 0;
        auto inset = [&](const char* name, double& value) {
            if (xml::has(bodyPr, name)) value = xml::number(bodyPr, name) / office::opc::emuPerPoint;
        };
        inset("lIns", shape.insetLeftPt);
        inset("tIns", shape.insetTopPt);
        inset("rIns", shape.insetRightPt);
        inset("bIns", shape.insetBottomPt);
        shape.paragraphs = readText(txBody, rels);
    }

    // Placeholder boxes that a slide inherits when it gives none itself.
    const std::vector<PlaceholderBox>& placeholdersOf(const std::string& part)
    {
        auto cached = placeholders_.find(part);
        if (cached != placeholders_.end()) return cached->second;
        std::vector<PlaceholderBox>& list = placeholders_[part];
        if (part.empty() || !package_.hasPart(part)) return list;
        pugi::xml_document doc;
        package_.readXml(part, doc);
        pugi::xml_node tree = xml::child(xml::child(doc.document_element(), "cSld"), "spTree");
        for (pugi::xml_node sp : tree.children()) {
            if (!xml::is(sp, "sp")) continue;
            pugi::xml_node ph = xml::child(xml::child(xml::child(sp, "nvSpPr"), "nvPr"), "ph");
            if (!ph) continue;
            std::string type = xml::text(ph, "type");
            list.push_back({type.empty() ? "obj" : type, xml::has(ph, "idx") ? static_cast<long>(xml::number(ph, "idx")) : -1,
                            readXfrm(xml::child(xml::child(sp, "spPr"), "xfrm"))});
        }
        return list;
    }

    std::string masterOf(const std::string& layoutPart)
    {
        if (layoutPart.empty()) return "";
        auto rel = package_.firstOfKind(layoutPart, "slideMaster");
        return rel ? rel->targetPart : "";
    }

    static std::optional<Box> match(const std::vector<PlaceholderBox>& list, const std::string& type, long index)
    {
        if (index >= 0)
            for (const PlaceholderBox& p : list)
                if (p.index == index && p.box.valid) return p.box;
        for (const PlaceholderBox& p : list)
            if (p.type == type && p.box.valid) return p.box;
        return std::nullopt;
    }

    Box inheritedBox(const std::string& layoutPart, const std::string& type, long index)
    {
        if (auto box = match(placeholdersOf(layoutPart), type, index)) return *box;
        // Masters match by type only; "obj" and content placeholders take the body's place.
        const auto& master = placeholdersOf(masterOf(layoutPart));
        if (auto box = match(master, type, -1)) return *box;
        if (type == "obj" || type == "body")
            if (auto box = match(master, "body", -1)) return *box;
        return {};
    }

    PptxShape readShape(const pugi::xml_node& sp, const Transform& transform, const std::vector<Relationship>& rels,
                        const std::string& layoutPart)
    {
        PptxShape shape;
        pugi::xml_node nv = xml::child(sp, "nvSpPr");
        pugi::xml_node cNvPr = xml::child(nv, "cNvPr");
        readIdentity(cNvPr, shape);
        shape.clickLink = linkOf(xml::child(cNvPr, "hlinkClick"), rels);
        shape.kind = PptxShapeKind::Text;
        Box box = readXfrm(xml::child(xml::child(sp, "spPr"), "xfrm"));
        if (pugi::xml_node ph = xml::child(xml::child(nv, "nvPr"), "ph")) {
            shape.kind = PptxShapeKind::Placeholder;
            shape.placeholderType = xml::text(ph, "type");
            if (shape.placeholderType.empty()) shape.placeholderType = "obj";
            if (xml::has(ph, "idx")) shape.placeholderIndex = static_cast<long>(xml::number(ph, "idx"));
            if (!box.valid) box = inheritedBox(layoutPart, shape.placeholderType, shape.placeholderIndex);
        }
        setBox(shape, transform.apply(box));
        readTextFrame(xml::child(sp, "txBody"), rels, shape);
        return shape;
    }

    void loadPart(const std::string& part, std::string& contentType, Bytes& bytes) const
    {
        if (part.empty() || !package_.hasPart(part)) return;
        contentType = package_.contentType(part);
        if (options_.loadMedia) bytes = package_.readPart(part);
    }

    void readBlip(const pugi::xml_node& blip, const std::vector<Relationship>& rels, PptxShape& shape) const
    {
        if (!blip) return;
        std::string id = xml::prefixedAttr(blip, "embed").as_string();
        for (const Relationship& rel : rels) {
            if (rel.id != id || rel.external) continue;
            shape.mediaPart = rel.targetPart;
            loadPart(rel.targetPart, shape.mediaContentType, shape.mediaBytes);
        }
    }

    PptxShape readPicture(const pugi::xml_node& pic, const Transform& transform, const std::vector<Relationship>& rels) const
    {
        PptxShape shape;
        shape.kind = PptxShapeKind::Picture;
        pugi::xml_node cNvPr = xml::child(xml::child(pic, "nvPicPr"), "cNvPr");
        readIdentity(cNvPr, shape);
        shape.clickLink = linkOf(xml::child(cNvPr, "hlinkClick"), rels);
        setBox(shape, transform.apply(readXfrm(xml::child(xml::child(pic, "spPr"), "xfrm"))));
        readBlip(xml::child(xml::child(pic, "blipFill"), "blip"), rels, shape);
        return shape;
    }

    PptxShape readFrame(const pugi::xml_node& frame, const Transform& transform, const std::vector<Relationship>& rels) const
    {
        PptxShape shape;
        pugi::xml_node cNvPr = xml::child(xml::child(frame, "nvGraphicFramePr"), "cNvPr");
        readIdentity(cNvPr, shape);
        shape.clickLink = linkOf(xml::child(cNvPr, "hlinkClick"), rels);
        setBox(shape, transform.apply(readXfrm(xml::child(frame, "xfrm"))));
        pugi::xml_node data = xml::child(xml::child(frame, "graphic"), "graphicData");
        pugi::xml_node ole = xml::descendant(data, "oleObj");
        if (!ole) return shape;
        shape.kind = PptxShapeKind::OleObject;
        shape.progId = xml::text(ole, "progId");
        std::string id = xml::prefixedAttr(ole, "id").as_string();
        for (const Relationship& rel : rels) {
            if (rel.id != id) continue;
            if (rel.external || xml::descendant(ole, "link")) {
                shape.linked = true;
                shape.linkTarget = rel.target;
            } else {
                shape.embeddedPart = rel.targetPart;
                loadPart(rel.targetPart, shape.embeddedContentType, shape.embeddedBytes);
            }
        }
        readBlip(xml::descendant(data, "blip"), rels, shape);
        return shape;
    }

    const OpcPackage& package_;
    std::string mainPart_;
    PptxReadOptions options_;
    std::map<std::string, std::pair<std::uint32_t, std::size_t>> slideByPart_;
    std::map<std::string, std::vector<PlaceholderBox>> placeholders_;
};

}  // namespace

void readSlideSize(const pugi::xml_node& presentation, double& widthPt, double& heightPt)
{
    if (pugi::xml_node size = xml::child(presentation, "sldSz")) {
        double cx = xml::number(size, "cx"), cy = xml::number(size, "cy");
        if (cx > 0 && cy > 0) {
            widthPt = cx / office::opc::emuPerPoint;
            heightPt = cy / office::opc::emuPerPoint;
        }
    }
}

PptxDeck readPresentation(const OpcPackage& package, const std::string& mainPart, const PptxReadOptions& options)
{
    return DeckReader(package, mainPart, options).read();
}

PptxDeck readPresentation(const std::filesystem::path& path, const std::string& displayName,
                          const PptxReadOptions& options)
{
    OpenedPackage opened = openPresentationPackage(path, displayName);
    return readPresentation(*opened.package, opened.mainPart, options);
}

}  // namespace pptmedia
