#include "binary/ImportedMasterDesign.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>

#include "binary/RecordTypes.h"
#include "office/package/OpcPackage.h"
#include "office/package/XmlAccess.h"

namespace ppt::binary {
namespace {

namespace xml = office::xml;
using pptmedia::asText;

constexpr const char* kLevelElements[] = {"lvl1pPr", "lvl2pPr", "lvl3pPr", "lvl4pPr", "lvl5pPr"};

std::string upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

float points(const pugi::xml_node& node, const char* name, double fallback = 0)
{
    return static_cast<float>(xml::number(node, name, fallback) / kEmuPerPoint);
}

class MasterPartReader {
public:
    explicit MasterPartReader(const pptmedia::ImportedTemplate& design) : design_(design) {}

    MasterDesign run()
    {
        const pptmedia::PackagePart* master = design_.find(design_.masterPart);
        if (!master) return result_;
        office::parseXml(master_, asText(master->bytes), design_.masterPart);
        readRelationships();
        readThemeFonts();
        const pugi::xml_node root = master_.document_element();
        const pugi::xml_node slide = xml::child(root, "cSld");
        if (const pugi::xml_node background = xml::child(slide, "bg")) {
            if (const pugi::xml_node properties = xml::child(background, "bgPr")) {
                result_.background = fillOf(properties);
            } else if (!design_.masterBackgroundColour.empty()) {  // a theme fill with its colour
                result_.background.kind = MasterFill::Kind::Solid;
                result_.background.colour = upper(design_.masterBackgroundColour);
            }
        }
        for (const pugi::xml_node shape : xml::child(slide, "spTree").children()) readShape(shape);
        const pugi::xml_node styles = xml::child(root, "txStyles");
        result_.title = levels(xml::child(styles, "titleStyle"));
        result_.body = levels(xml::child(styles, "bodyStyle"));
        return std::move(result_);
    }

private:
    void readRelationships()
    {
        const pptmedia::PackagePart* rels = design_.find(office::relationshipPartName(design_.masterPart));
        if (!rels) return;
        pugi::xml_document doc;
        office::parseXml(doc, asText(rels->bytes), design_.masterPart);
        for (const pugi::xml_node rel : doc.document_element().children())
            if (xml::is(rel, "Relationship") && xml::text(rel, "TargetMode") != "External")
                targets_[xml::text(rel, "Id")] = office::resolveTarget(design_.masterPart, xml::text(rel, "Target"));
    }

    // "+mj-lt" and "+mn-lt" name the theme's heading and body faces.
    void readThemeFonts()
    {
        const pptmedia::PackagePart* theme = design_.find(design_.themePart);
        if (!theme) return;
        pugi::xml_document doc;
        office::parseXml(doc, asText(theme->bytes), design_.themePart);
        const pugi::xml_node scheme = xml::descendant(doc.document_element(), "fontScheme");
        majorFont_ = xml::text(xml::child(xml::child(scheme, "majorFont"), "latin"), "typeface");
        minorFont_ = xml::text(xml::child(xml::child(scheme, "minorFont"), "latin"), "typeface");
    }

    std::string font(const pugi::xml_node& properties) const
    {
        const std::string face = xml::text(xml::child(properties, "latin"), "typeface");
        if (face == "+mj-lt") return majorFont_;
        if (face == "+mn-lt") return minorFont_;
        return face;
    }

    // The colour element inside `parent` as "RRGGBB"; "" when there is none
    // this can tell (tints and shades are left out).
    std::string colourIn(const pugi::xml_node& parent) const
    {
        for (const pugi::xml_node c : parent.children()) {
            if (xml::is(c, "srgbClr")) return upper(xml::text(c, "val"));
            if (xml::is(c, "sysClr")) return upper(xml::text(c, "lastClr"));
            if (xml::is(c, "schemeClr")) return schemeColour(xml::text(c, "val"));
        }
        return "";
    }

    std::string schemeColour(const std::string& name) const
    {
        std::string mapped = xml::text(xml::child(master_.document_element(), "clrMap"), name);
        if (mapped.empty()) mapped = name;
        const auto it = design_.themeColours.find(mapped);
        return it == design_.themeColours.end() ? "" : upper(it->second);
    }

    // The picture a blip refers to: its index in the result, added on first use.
    int picture(const pugi::xml_node& blipParent)
    {
        const auto target = targets_.find(xml::text(xml::child(blipParent, "blip"), "embed"));
        if (target == targets_.end()) return -1;
        const auto [known, isNew] = pictures_.try_emplace(target->second, -1);
        if (!isNew) return known->second;
        const pptmedia::PackagePart* part = design_.find(target->second);
        if (!part) return -1;
        std::string extension = office::lowerAscii(part->name.substr(part->name.rfind('.') + 1));
        if (extension == "jpg") extension = "jpeg";
        result_.pictures.push_back({std::string(asText(part->bytes)), extension, part->contentType});
        known->second = static_cast<int>(result_.pictures.size() - 1);
        return known->second;
    }

    MasterFill fillOf(const pugi::xml_node& properties)
    {
        MasterFill fill;
        if (const pugi::xml_node solid = xml::child(properties, "solidFill")) {
            fill.colour = colourIn(solid);
            if (!fill.colour.empty()) fill.kind = MasterFill::Kind::Solid;
        } else if (const pugi::xml_node gradient = xml::child(properties, "gradFill")) {
            // Two colours: the first stop's and the last's.
            std::vector<std::pair<double, std::string>> stops;
            for (const pugi::xml_node stop : xml::child(gradient, "gsLst").children())
                if (xml::is(stop, "gs")) stops.emplace_back(xml::number(stop, "pos"), colourIn(stop));
            std::stable_sort(stops.begin(), stops.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
            if (stops.size() >= 2 && !stops.front().second.empty() && !stops.back().second.empty()) {
                fill.kind = MasterFill::Kind::Gradient;
                fill.colour = stops.front().second;
                fill.secondColour = stops.back().second;
                fill.radial = static_cast<bool>(xml::child(gradient, "path"));
                const double angle = xml::number(xml::child(gradient, "lin"), "ang", 5400000) / 60000;
                if (std::isfinite(angle)) fill.angle = angle;
            }
        } else if (const pugi::xml_node blip = xml::child(properties, "blipFill")) {
            fill.picture = picture(blip);
            if (fill.picture >= 0) fill.kind = MasterFill::Kind::Picture;
        }
        return fill;
    }

    static std::optional<Box> boxOf(const pugi::xml_node& shapeProperties)
    {
        const pugi::xml_node transform = xml::child(shapeProperties, "xfrm");
        const pugi::xml_node offset = xml::child(transform, "off"), extent = xml::child(transform, "ext");
        if (!offset || !extent) return std::nullopt;
        return Box{points(offset, "x"), points(offset, "y"), points(extent, "cx"), points(extent, "cy")};
    }

    static bool isPlaceholder(const pugi::xml_node& nonVisual) { return xml::child(xml::child(nonVisual, "nvPr"), "ph"); }

    // Where the master puts its title, body, date, footer and slide number.
    void placeholderBox(const std::string& type, const Box& box)
    {
        MasterPlaceholders& boxes = result_.placeholders;
        if (type == "title" || type == "ctrTitle") boxes.title = box;
        if (type == "body") boxes.body = box;
        if (type == "dt") boxes.date = box;
        if (type == "ftr") boxes.footer = box;
        if (type == "sldNum") boxes.slideNumber = box;
    }

    // Pictures and plain filled rectangles and ellipses; placeholders, groups
    // and shapes with text are not part of what the master shows on every slide.
    void readShape(const pugi::xml_node& shape)
    {
        MasterShape result;
        const pugi::xml_node properties = xml::child(shape, "spPr");
        const std::optional<Box> box = boxOf(properties);
        if (!box) return;
        result.box = *box;
        if (xml::is(shape, "pic")) {
            if (isPlaceholder(xml::child(shape, "nvPicPr"))) return;
            result.fill.picture = picture(xml::child(shape, "blipFill"));
            if (result.fill.picture < 0) return;
            result.fill.kind = MasterFill::Kind::Picture;
        } else if (xml::is(shape, "sp")) {
            if (isPlaceholder(xml::child(shape, "nvSpPr"))) {
                placeholderBox(xml::text(xml::child(xml::child(xml::child(shape, "nvSpPr"), "nvPr"), "ph"), "type"), *box);
                return;
            }
            if (xml::descendant(xml::child(shape, "txBody"), "t")) return;
            const std::string geometry = xml::text(xml::child(properties, "prstGeom"), "prst");
            if (geometry != "rect" && geometry != "ellipse") return;
            result.kind = geometry == "ellipse" ? MasterShape::Kind::Ellipse : MasterShape::Kind::Rectangle;
            result.fill = fillOf(properties);
            if (result.fill.kind == MasterFill::Kind::None) {
                // No fill of its own: the style's, in its colour.
                const pugi::xml_node styleFill = xml::child(xml::child(shape, "style"), "fillRef");
                if (!styleFill || xml::number(styleFill, "idx") == 0) return;
                result.fill.colour = colourIn(styleFill);
                if (result.fill.colour.empty()) return;
                result.fill.kind = MasterFill::Kind::Solid;
            }
            if (result.fill.kind == MasterFill::Kind::Picture) return;
        } else {
            return;
        }
        result_.shapes.push_back(std::move(result));
    }

    std::vector<TextLevelStyle> levels(const pugi::xml_node& style) const
    {
        std::vector<TextLevelStyle> result;
        for (std::size_t i = 0; i < 5; ++i) {
            const pugi::xml_node level = xml::child(style, kLevelElements[i]);
            if (!level) break;
            TextLevelStyle& out = result.emplace_back();
            const std::string align = xml::text(level, "algn");
            if (align == "l") out.align = 0;
            if (align == "ctr") out.align = 1;
            if (align == "r") out.align = 2;
            if (align == "just" || align == "dist") out.align = 3;
            if (xml::has(level, "marL")) out.leftMargin = points(level, "marL");
            if (out.leftMargin && xml::has(level, "indent")) out.indent = *out.leftMargin + points(level, "indent");
            if (xml::child(level, "buNone")) out.bullet = false;
            if (xml::child(level, "buChar") || xml::child(level, "buAutoNum")) out.bullet = true;
            const pugi::xml_node run = xml::child(level, "defRPr");
            out.size = static_cast<float>(xml::number(run, "sz") / 100);
            if (xml::has(run, "b")) out.bold = xml::attr(run, "b").as_bool();
            if (xml::has(run, "i")) out.italic = xml::attr(run, "i").as_bool();
            if (const pugi::xml_node solid = xml::child(run, "solidFill")) out.colour = colourIn(solid);
            out.font = font(run);
        }
        return result;
    }

    const pptmedia::ImportedTemplate& design_;
    pugi::xml_document master_;
    std::map<std::string, std::string> targets_;  // relationship id -> part name
    std::map<std::string, int> pictures_;        // part name -> index in result_.pictures
    std::string majorFont_, minorFont_;
    MasterDesign result_;
};

}  // namespace

MasterDesign importedMasterDesign(const pptmedia::ImportedTemplate& design) { return MasterPartReader(design).run(); }

}  // namespace ppt::binary
