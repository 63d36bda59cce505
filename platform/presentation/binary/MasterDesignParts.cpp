#include "binary/MasterDesignParts.h"

#include <cmath>
#include <map>

#include "media/MediaStore.h"
#include "model/PresentationModel.h"
#include "office/package/ByteSink.h"
#include "office/package/OpcNames.h"
#include "office/package/XmlWriter.h"
#include "package/Parts.h"

namespace ppt::binary {
namespace {

namespace opc = office::opc;

constexpr const char* kColourMap =
    "<p:clrMap bg1=\"lt1\" tx1=\"dk1\" bg2=\"lt2\" tx2=\"dk2\" accent1=\"accent1\" accent2=\"accent2\" "
    "accent3=\"accent3\" accent4=\"accent4\" accent5=\"accent5\" accent6=\"accent6\" hlink=\"hlink\" "
    "folHlink=\"folHlink\"/>";
constexpr const char* kLevelTags[] = {"a:lvl1pPr", "a:lvl2pPr", "a:lvl3pPr", "a:lvl4pPr", "a:lvl5pPr"};
constexpr const char* kAlignments[] = {"l", "ctr", "r", "just"};

std::int64_t emu(float points) { return std::llround(static_cast<double>(points) * 12700.0); }

// The theme's colours from the master's scheme, as the .ppt writer maps
// them the other way; those the scheme has no place for keep the defaults.
std::map<std::string, std::string> themeColours(const MasterDesign& design)
{
    const auto& s = design.scheme;
    return {{"dk1", s[1]},        {"lt1", s[0]},        {"dk2", s[2]},        {"lt2", "EEECE1"},
            {"accent1", s[4]},    {"accent2", s[5]},    {"accent3", "9BBB59"}, {"accent4", "8064A2"},
            {"accent5", "4BACC6"}, {"accent6", "F79646"}, {"hlink", s[6]},      {"folHlink", s[7]}};
}

class PartWriter {
public:
    PartWriter(const MasterDesign& design, const pptmedia::TemplateNaming& naming) : design_(design), naming_(naming), media_(naming.mediaStem) {}

    pptmedia::ImportedTemplate run()
    {
        result_.masterPart = "/ppt/slideMasters/slideMaster" + std::to_string(naming_.masterNumber) + ".xml";
        result_.themePart = "/ppt/theme/theme" + std::to_string(naming_.themeNumber) + ".xml";
        result_.blankLayoutPart = "/ppt/slideLayouts/slideLayout" + std::to_string(naming_.firstLayoutNumber) + ".xml";
        result_.layoutParts = {result_.blankLayoutPart};
        result_.masterId = naming_.masterId;
        result_.nextFreeId = naming_.masterId + 2;
        result_.slideWidthPt = design_.slideWidth;
        result_.slideHeightPt = design_.slideHeight;
        result_.themeColours = themeColours(design_);
        if (design_.background.kind == MasterFill::Kind::Solid) result_.masterBackgroundColour = design_.background.colour;
        const MasterFooters& f = design_.footers;
        result_.masterFooters = {f.date, f.footer, f.slideNumber, f.footerText, f.dateText};

        masterRels_.push_back({"rId1", opc::relSlideLayout, "../slideLayouts/" + fileName(result_.blankLayoutPart)});
        masterRels_.push_back({"rId2", opc::relTheme, "../theme/" + fileName(result_.themePart)});
        add(result_.masterPart, opc::typeSlideMaster, master());
        add(relsName(result_.masterPart), opc::typeRelationships, relationships(masterRels_));
        add(result_.blankLayoutPart, opc::typeSlideLayout, layout());
        add(relsName(result_.blankLayoutPart), opc::typeRelationships,
            relationships({{"rId1", opc::relSlideMaster, "../slideMasters/" + fileName(result_.masterPart)}}));
        add(result_.themePart, opc::typeTheme, theme());
        for (const pptmedia::MediaItem& item : media_.items()) result_.parts.push_back({item.partName, item.contentType, item.bytes});
        return std::move(result_);
    }

private:
    struct Rel {
        std::string id, type, target;
    };

    static std::string fileName(const std::string& part) { return part.substr(part.rfind('/') + 1); }
    static std::string relsName(const std::string& part)
    {
        const auto slash = part.rfind('/');
        return part.substr(0, slash) + "/_rels/" + part.substr(slash + 1) + ".rels";
    }

    void add(std::string name, const char* type, std::string xml) { result_.parts.push_back({std::move(name), type, pptmedia::toBytes(xml)}); }

    static std::string relationships(const std::vector<Rel>& rels)
    {
        office::StringSink sink;
        office::XmlWriter xml(sink);
        xml.declaration();
        xml.start("Relationships").attr("xmlns", "http://schemas.openxmlformats.org/package/2006/relationships");
        for (const Rel& rel : rels) {
            xml.start("Relationship").attr("Id", rel.id).attr("Type", rel.type).attr("Target", rel.target);
            xml.end("Relationship");
        }
        xml.end("Relationships");
        xml.finish();
        return std::move(sink.bytes);
    }

    // The master's relationship to a picture, made on first use.
    std::string pictureRel(int index)
    {
        auto [known, isNew] = pictureRels_.try_emplace(index);
        if (!isNew) return known->second;
        known->second = newPictureRel(index);
        return known->second;
    }

    std::string newPictureRel(int index)
    {
        const StoredPicture& picture = design_.pictures.at(static_cast<std::size_t>(index));
        const auto added = media_.add(pptmedia::toBytes(picture.bytes), picture.extension, picture.contentType);
        const std::string target = "../media/" + fileName(media_.item(added.index).partName);
        for (const Rel& rel : masterRels_)
            if (rel.target == target) return rel.id;
        masterRels_.push_back({"rId" + std::to_string(masterRels_.size() + 1), opc::relImage, target});
        return masterRels_.back().id;
    }

    static void colour(office::XmlWriter& xml, const std::string& rgb)
    {
        xml.start("a:srgbClr").attr("val", rgb);
        xml.end("a:srgbClr");
    }

    void fill(office::XmlWriter& xml, const MasterFill& f)
    {
        switch (f.kind) {
        case MasterFill::Kind::None: xml.empty("a:noFill"); return;
        case MasterFill::Kind::Solid:
            xml.start("a:solidFill");
            colour(xml, f.colour);
            xml.end("a:solidFill");
            return;
        case MasterFill::Kind::Gradient:
            xml.start("a:gradFill").attr("rotWithShape", "1");
            xml.start("a:gsLst");
            xml.start("a:gs").attr("pos", "0");
            colour(xml, f.colour);
            xml.end("a:gs");
            xml.start("a:gs").attr("pos", "100000");
            colour(xml, f.secondColour);
            xml.end("a:gs");
            xml.end("a:gsLst");
            if (f.radial) {
                xml.raw("<a:path path=\"circle\"><a:fillToRect l=\"50000\" t=\"50000\" r=\"50000\" b=\"50000\"/></a:path>");
            } else {
                xml.start("a:lin").attr("ang", std::llround(f.angle * 60000)).attr("scaled", "0");
                xml.end("a:lin");
            }
            xml.end("a:gradFill");
            return;
        case MasterFill::Kind::Picture:
            xml.start("a:blipFill").attr("rotWithShape", "1");
            blip(xml, f.picture);
            xml.end("a:blipFill");
            return;
        }
    }

    void blip(office::XmlWriter& xml, int picture)
    {
        xml.start("a:blip").attr("r:embed", pictureRel(picture));
        xml.end("a:blip");
        xml.raw("<a:stretch><a:fillRect/></a:stretch>");
    }

    static void transform(office::XmlWriter& xml, const Box& box, const char* tag = "a:xfrm")
    {
        xml.start(tag);
        xml.start("a:off").attr("x", emu(box.left)).attr("y", emu(box.top));
        xml.end("a:off");
        xml.start("a:ext").attr("cx", emu(box.width)).attr("cy", emu(box.height));
        xml.end("a:ext");
        xml.end(tag);
    }

    static void openPart(office::XmlWriter& xml, const char* root)
    {
        xml.declaration();
        xml.start(root).attr("xmlns:a", opc::nsA).attr("xmlns:r", opc::nsR).attr("xmlns:p", opc::nsP);
    }

    static void treeGroup(office::XmlWriter& xml)
    {
        xml.raw("<p:nvGrpSpPr><p:cNvPr id=\"1\" name=\"\"/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr><p:grpSpPr><a:xfrm>"
                "<a:off x=\"0\" y=\"0\"/><a:ext cx=\"0\" cy=\"0\"/><a:chOff x=\"0\" y=\"0\"/><a:chExt cx=\"0\" cy=\"0\"/>"
                "</a:xfrm></p:grpSpPr>");
    }

    static void nonVisual(office::XmlWriter& xml, int id, const std::string& name)
    {
        xml.start("p:cNvPr").attr("id", id).attr("name", name);
        xml.end("p:cNvPr");
    }

    void shape(office::XmlWriter& xml, const MasterShape& s, int id)
    {
        if (s.kind == MasterShape::Kind::Picture) {
            xml.start("p:pic").start("p:nvPicPr");
            nonVisual(xml, id, "Picture " + std::to_string(id));
            xml.raw("<p:cNvPicPr><a:picLocks noChangeAspect=\"1\"/></p:cNvPicPr><p:nvPr/></p:nvPicPr>");
            xml.start("p:blipFill");
            blip(xml, s.fill.picture);
            xml.end("p:blipFill");
            xml.start("p:spPr");
            transform(xml, s.box);
            xml.raw("<a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></p:spPr></p:pic>");
            return;
        }
        xml.start("p:sp").start("p:nvSpPr");
        nonVisual(xml, id, "Shape " + std::to_string(id));
        xml.raw("<p:cNvSpPr/><p:nvPr/></p:nvSpPr>");
        xml.start("p:spPr");
        transform(xml, s.box);
        xml.raw(s.kind == MasterShape::Kind::Ellipse ? "<a:prstGeom prst=\"ellipse\"><a:avLst/></a:prstGeom>"
                                                     : "<a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom>");
        fill(xml, s.fill);
        xml.raw("<a:ln><a:noFill/></a:ln></p:spPr></p:sp>");
    }

    // A placeholder of the master and layout, at the master's box or the built-in one.
    static void placeholder(office::XmlWriter& xml, int id, const char* type, const char* name, const Box& box, bool field)
    {
        xml.start("p:sp").start("p:nvSpPr");
        nonVisual(xml, id, name);
        xml.raw("<p:cNvSpPr><a:spLocks noGrp=\"1\"/></p:cNvSpPr><p:nvPr>");
        xml.start("p:ph").attr("type", type);
        if (std::string_view(type) != "title") xml.attr("idx", id);
        xml.end("p:ph");
        xml.raw("</p:nvPr></p:nvSpPr>");
        xml.start("p:spPr");
        transform(xml, box);
        xml.raw("<a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></p:spPr><p:txBody><a:bodyPr/><a:lstStyle/><a:p>");
        if (field) xml.raw("<a:fld id=\"{B6F15528-21DE-4FAA-801E-634DDDAF4B2B}\" type=\"slidenum\"><a:t>\xE2\x80\xB9#\xE2\x80\xBA</a:t></a:fld>");
        xml.raw("<a:endParaRPr lang=\"en-US\"/></a:p></p:txBody></p:sp>");
    }

    void footerPlaceholders(office::XmlWriter& xml, int& id) const
    {
        const MasterPlaceholders& p = design_.placeholders;
        placeholder(xml, id++, "dt", "Date Placeholder", p.date.value_or(ppt::design::date), false);
        placeholder(xml, id++, "ftr", "Footer Placeholder", p.footer.value_or(ppt::design::footer), false);
        placeholder(xml, id++, "sldNum", "Slide Number Placeholder", p.slideNumber.value_or(ppt::design::slideNumber), true);
    }

    void styleLevels(office::XmlWriter& xml, const std::vector<TextLevelStyle>& levels, const char* tag)
    {
        xml.start(tag);
        TextLevelStyle inherited;
        for (std::size_t i = 0; i < levels.size() && i < 5; ++i) {
            const TextLevelStyle& level = levels[i];
            xml.start(kLevelTags[i]);
            if (level.leftMargin) xml.attr("marL", emu(*level.leftMargin));
            if (level.leftMargin && level.indent) xml.attr("indent", emu(*level.indent - *level.leftMargin));
            if (level.align && *level.align >= 0 && *level.align < 4) xml.attr("algn", kAlignments[*level.align]);
            if (level.bullet) xml.raw(*level.bullet ? "<a:buChar char=\"\xE2\x80\xA2\"/>" : "<a:buNone/>");
            xml.start("a:defRPr");
            if (level.size > 0) xml.attr("sz", std::lround(level.size * 100));
            if (level.bold) xml.attr("b", *level.bold ? "1" : "0");
            if (level.italic) xml.attr("i", *level.italic ? "1" : "0");
            if (!level.colour.empty()) {
                xml.start("a:solidFill");
                colour(xml, level.colour);
                xml.end("a:solidFill");
            }
            if (!level.font.empty()) {
                xml.start("a:latin").attr("typeface", level.font);
                xml.end("a:latin");
            }
            xml.end("a:defRPr");
            xml.end(kLevelTags[i]);
        }
        xml.end(tag);
    }

    std::string master()
    {
        office::StringSink sink;
        office::XmlWriter xml(sink);
        openPart(xml, "p:sldMaster");
        xml.start("p:cSld");
        if (design_.background.kind != MasterFill::Kind::None) {
            office::StringSink bgSink;
            {
                office::XmlWriter bg(bgSink);
                bg.start("p:bg").start("p:bgPr");
                fill(bg, design_.background);
                bg.raw("<a:effectLst/>");
                bg.end("p:bgPr");
                bg.end("p:bg");
                bg.finish();
            }
            result_.masterBackgroundXml = bgSink.bytes;
            xml.raw(bgSink.bytes);
        }
        xml.start("p:spTree");
        treeGroup(xml);
        int id = 2;
        const MasterPlaceholders& p = design_.placeholders;
        placeholder(xml, id++, "title", "Title Placeholder", p.title.value_or(Box{36, 21.6f, 648, 90}), false);
        placeholder(xml, id++, "body", "Text Placeholder", p.body.value_or(Box{36, 126, 648, 356.4f}), false);
        footerPlaceholders(xml, id);
        for (const MasterShape& s : design_.shapes) shape(xml, s, id++);
        xml.end("p:spTree");
        xml.end("p:cSld");
        xml.raw(kColourMap);
        xml.start("p:sldLayoutIdLst").start("p:sldLayoutId").attr("id", naming_.masterId + 1).attr("r:id", "rId1");
        xml.end("p:sldLayoutId");
        xml.end("p:sldLayoutIdLst");
        const MasterFooters& f = design_.footers;
        xml.start("p:hf").attr("sldNum", f.slideNumber ? "1" : "0").attr("hdr", "0").attr("ftr", f.footer ? "1" : "0");
        xml.attr("dt", f.date ? "1" : "0");
        xml.end("p:hf");
        xml.start("p:txStyles");
        styleLevels(xml, design_.title.empty() ? std::vector<TextLevelStyle>{{}} : design_.title, "p:titleStyle");
        styleLevels(xml, design_.body.empty() ? std::vector<TextLevelStyle>{{}} : design_.body, "p:bodyStyle");
        styleLevels(xml, std::vector<TextLevelStyle>{{}}, "p:otherStyle");
        xml.end("p:txStyles");
        xml.end("p:sldMaster");
        xml.finish();
        return std::move(sink.bytes);
    }

    std::string layout() const
    {
        office::StringSink sink;
        office::XmlWriter xml(sink);
        openPart(xml, "p:sldLayout");
        xml.attr("type", "blank").attr("preserve", "1");
        xml.raw("<p:cSld name=\"Blank\"><p:spTree>");
        treeGroup(xml);
        int id = 2;
        footerPlaceholders(xml, id);
        xml.raw("</p:spTree></p:cSld><p:clrMapOvr><a:masterClrMapping/></p:clrMapOvr>");
        xml.end("p:sldLayout");
        xml.finish();
        return std::move(sink.bytes);
    }

    std::string theme() const
    {
        office::StringSink sink;
        office::XmlWriter xml(sink);
        xml.declaration();
        xml.start("a:theme").attr("xmlns:a", opc::nsA).attr("name", "Template");
        xml.start("a:themeElements").start("a:clrScheme").attr("name", "Template");
        for (const char* name : {"dk1", "lt1", "dk2", "lt2", "accent1", "accent2", "accent3", "accent4", "accent5", "accent6", "hlink", "folHlink"}) {
            xml.start(std::string("a:") + name);
            colour(xml, result_.themeColours.at(name));
            xml.end(std::string("a:") + name);
        }
        xml.end("a:clrScheme");
        const std::string titleFont = design_.title.empty() || design_.title[0].font.empty() ? "Arial" : design_.title[0].font;
        const std::string bodyFont = design_.body.empty() || design_.body[0].font.empty() ? "Arial" : design_.body[0].font;
        xml.start("a:fontScheme").attr("name", "Template");
        for (const auto& [tag, face] : {std::pair{"a:majorFont", titleFont}, std::pair{"a:minorFont", bodyFont}}) {
            xml.start(tag).start("a:latin").attr("typeface", face);
            xml.end("a:latin");
            xml.raw("<a:ea typeface=\"\"/><a:cs typeface=\"\"/>");
            xml.end(tag);
        }
        xml.end("a:fontScheme");
        writeFormatScheme(xml, "Template");
        xml.end("a:themeElements");
        xml.raw("<a:objectDefaults/><a:extraClrSchemeLst/>");
        xml.end("a:theme");
        xml.finish();
        return std::move(sink.bytes);
    }

    const MasterDesign& design_;
    pptmedia::TemplateNaming naming_;
    pptmedia::MediaStore media_;
    pptmedia::ImportedTemplate result_;
    std::vector<Rel> masterRels_;
    std::map<int, std::string> pictureRels_;  // picture index -> relationship id
};

}  // namespace

pptmedia::ImportedTemplate designParts(const MasterDesign& design, const pptmedia::TemplateNaming& naming)
{
    return PartWriter(design, naming).run();
}

}  // namespace ppt::binary
