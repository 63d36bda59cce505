#include "template/TemplateImport.h"

#include <algorithm>
#include <deque>
#include <set>
#include <sstream>

#include "media/MediaError.h"
#include "media/MediaStore.h"
#include "office/package/PackageKind.h"
#include "office/package/XmlAccess.h"
#include "template/PptxReader.h"

namespace pptmedia {

using office::isRelationshipKind;
using office::localName;
using office::lowerAscii;
using office::OpcPackage;
using office::OpenedPackage;
using office::openPresentationPackage;
using office::PackageKind;
using office::parseXml;
using office::Relationship;
using office::relationshipPartName;
using office::relativeTarget;
namespace xml = office::xml;

const PackagePart* ImportedTemplate::find(const std::string& name) const
{
    for (const PackagePart& part : parts)
        if (lowerAscii(part.name) == lowerAscii(name)) return &part;
    return nullptr;
}

namespace {

constexpr const char* kRelationshipsType = "application/vnd.openxmlformats-package.relationships+xml";
constexpr const char* kRelationshipsNs = "http://schemas.openxmlformats.org/package/2006/relationships";

// Parts of the source deck itself, never carried over with its design.
bool belongsToSourceDeck(const std::string& type)
{
    for (const char* kind : {"slide", "notesSlide", "notesMaster", "handoutMaster", "officeDocument", "presProps",
                             "viewProps", "tableStyles", "commentAuthors", "comments"})
        if (isRelationshipKind(type, kind)) return true;
    return false;
}

std::string serialise(const pugi::xml_node& node, bool declaration)
{
    std::ostringstream out;
    unsigned flags = pugi::format_raw | (declaration ? 0u : pugi::format_no_declaration);
    if (node.type() == pugi::node_document)
        static_cast<const pugi::xml_document&>(node).save(out, "", flags, pugi::encoding_utf8);
    else
        node.print(out, "", flags, pugi::encoding_utf8);
    return out.str();
}

std::string fileNameOf(const std::string& part)
{
    return part.substr(part.rfind('/') + 1);
}

std::string folderOf(const std::string& part)
{
    return part.substr(0, part.rfind('/') + 1);
}

std::string extensionOf(const std::string& part)
{
    std::string name = fileNameOf(part);
    auto dot = name.rfind('.');
    return dot == std::string::npos ? "bin" : lowerAscii(name.substr(dot + 1));
}

bool isXmlContentType(const std::string& type)
{
    return type.size() >= 3 && (type.compare(type.size() - 3, 3, "xml") == 0);
}

std::string colourOf(const pugi::xml_node& colourParent)
{
    if (pugi::xml_node rgb = xml::child(colourParent, "srgbClr")) return xml::text(rgb, "val");
    if (pugi::xml_node sys = xml::child(colourParent, "sysClr")) return xml::text(sys, "lastClr");
    return "";
}

class Importer {
public:
    Importer(const OpcPackage& package, std::string mainPart, const TemplateNaming& naming)
        : package_(package), mainPart_(std::move(mainPart)), naming_(naming), media_(naming.mediaStem)
    {
    }

    ImportedTemplate run()
    {
        readPresentation();
        planMaster();
        copyReachableParts();
        findBlankLayout();
        readTheme();
        readBackground();
        readFooters();
        for (const MediaItem& item : media_.items()) result_.parts.push_back({item.partName, item.contentType, item.bytes});
        return std::move(result_);
    }

private:
    void readPresentation()
    {
        pugi::xml_document doc;
        package_.readXml(mainPart_, doc);
        pugi::xml_node root = doc.document_element();
        readSlideSize(root, result_.slideWidthPt, result_.slideHeightPt);
        if (pugi::xml_node style = xml::child(root, "defaultTextStyle")) result_.defaultTextStyleXml = serialise(style, false);
        pugi::xml_node first = xml::child(xml::child(root, "sldMasterIdLst"), "sldMasterId");
        if (first)
            if (auto rel = package_.relationship(mainPart_, xml::prefixedAttr(first, "id").as_string()))
                sourceMaster_ = rel->targetPart;
        if (sourceMaster_.empty() || !package_.hasPart(sourceMaster_))
            throw MediaError(MediaErrorKind::NotAPackage,
                             "presentation " + quoteName(package_.displayName()) + " has no slide master");
    }

    // Names for the master, its layouts (in the master's order) and theme.
    void planMaster()
    {
        result_.masterPart = "/ppt/slideMasters/slideMaster" + std::to_string(naming_.masterNumber) + ".xml";
        rename_[lowerAscii(sourceMaster_)] = result_.masterPart;
        masterRels_ = package_.relationships(sourceMaster_);
        package_.readXml(sourceMaster_, masterDoc_);

        std::vector<std::string> layoutOrder;
        for (pugi::xml_node id : xml::child(masterDoc_.document_element(), "sldLayoutIdLst").children())
            if (xml::is(id, "sldLayoutId")) layoutOrder.push_back(xml::prefixedAttr(id, "id").as_string());
        for (const Relationship& rel : masterRels_)  // layouts missing from the list come last
            if (isRelationshipKind(rel.type, "slideLayout") &&
                std::find(layoutOrder.begin(), layoutOrder.end(), rel.id) == layoutOrder.end())
                layoutOrder.push_back(rel.id);

        int number = naming_.firstLayoutNumber;
        for (const std::string& id : layoutOrder) {
            for (const Relationship& rel : masterRels_) {
                if (rel.id != id || rel.external || !isRelationshipKind(rel.type, "slideLayout")) continue;
                if (rel.targetPart.empty() || !package_.hasPart(rel.targetPart)) continue;
                if (rename_.count(lowerAscii(rel.targetPart))) continue;
                std::string name = "/ppt/slideLayouts/slideLayout" + std::to_string(number++) + ".xml";
                rename_[lowerAscii(rel.targetPart)] = name;
                result_.layoutParts.push_back(name);
                layoutSources_.push_back(rel.targetPart);
                layoutIds_[id] = name;
            }
        }
        std::string unusableTheme;
        for (const Relationship& rel : masterRels_) {
            if (!isRelationshipKind(rel.type, "theme")) continue;
            if (rel.external || !package_.hasPart(rel.targetPart)) {
                unusableTheme = rel.target;
                continue;
            }
            result_.themePart = "/ppt/theme/theme" + std::to_string(naming_.themeNumber) + ".xml";
            rename_[lowerAscii(rel.targetPart)] = result_.themePart;
            sourceTheme_ = rel.targetPart;
            break;
        }
        // A master is written with its theme: without one the package would be unreadable.
        if (sourceTheme_.empty())
            throw MediaError(MediaErrorKind::NotAPackage,
                             "presentation " + quoteName(package_.displayName()) +
                                 (unusableTheme.empty() ? std::string(" has a slide master without a theme")
                                                        : " has a slide master whose theme " + quoteName(unusableTheme) +
                                                              " is not in the package"));
        if (result_.layoutParts.empty())
            throw MediaError(MediaErrorKind::NotAPackage,
                             "presentation " + quoteName(package_.displayName()) + " has a slide master without layouts");
    }

    std::string nameFor(const Relationship& rel)
    {
        auto known = rename_.find(lowerAscii(rel.targetPart));
        if (known != rename_.end()) return known->second;
        if (isRelationshipKind(rel.type, "image") || isRelationshipKind(rel.type, "media") ||
            isRelationshipKind(rel.type, "audio") || isRelationshipKind(rel.type, "video")) {
            Bytes bytes = package_.readPart(rel.targetPart);
            std::string type = package_.contentType(rel.targetPart);
            if (type.empty()) type = "application/octet-stream";
            std::string name = media_.item(media_.add(std::move(bytes), extensionOf(rel.targetPart), type).index).partName;
            rename_[lowerAscii(rel.targetPart)] = name;
            return name;
        }
        std::string base = folderOf(rel.targetPart) + naming_.otherPrefix + fileNameOf(rel.targetPart);
        std::string name = base;
        for (int n = 2; taken_.count(lowerAscii(name)); ++n) name = folderOf(base) + std::to_string(n) + "-" + fileNameOf(base);
        taken_.insert(lowerAscii(name));
        rename_[lowerAscii(rel.targetPart)] = name;
        queue_.push_back(rel.targetPart);
        return name;
    }

    bool isMedia(const std::string& newName) const
    {
        return newName.rfind(naming_.mediaStem, 0) == 0;
    }

    void copyReachableParts()
    {
        queue_.push_back(sourceMaster_);
        for (const std::string& layout : layoutSources_) queue_.push_back(layout);
        if (!sourceTheme_.empty()) queue_.push_back(sourceTheme_);
        std::set<std::string> done;
        while (!queue_.empty()) {
            std::string source = queue_.front();
            queue_.pop_front();
            if (!done.insert(lowerAscii(source)).second) continue;
            copyPart(source);
        }
    }

    void copyPart(const std::string& source)
    {
        const std::string& target = rename_.at(lowerAscii(source));
        std::string contentType = package_.contentType(source);
        std::vector<Relationship> rels = source == sourceMaster_ ? masterRels_ : package_.relationships(source);

        // Rewritten relationships; those into the source deck itself are left out.
        pugi::xml_document relsDoc;
        pugi::xml_node root = relsDoc.append_child("Relationships");
        root.append_attribute("xmlns") = kRelationshipsNs;
        std::set<std::string> kept;
        for (const Relationship& rel : rels) {
            std::string newTarget;
            if (rel.external) {
                newTarget = rel.target;
            } else {
                if (belongsToSourceDeck(rel.type) || rel.targetPart.empty() || !package_.hasPart(rel.targetPart)) continue;
                if (isRelationshipKind(rel.type, "slideLayout") && !rename_.count(lowerAscii(rel.targetPart))) continue;
                newTarget = relativeTarget(target, nameFor(rel));
            }
            pugi::xml_node node = root.append_child("Relationship");
            node.append_attribute("Id") = rel.id.c_str();
            node.append_attribute("Type") = rel.type.c_str();
            node.append_attribute("Target") = newTarget.c_str();
            if (rel.external) node.append_attribute("TargetMode") = "External";
            kept.insert(rel.id);
        }

        Bytes bytes;
        if (source == sourceMaster_) {
            bytes = toBytes(masterXml(kept));
        } else {
            bytes = package_.readPart(source);
            if (isXmlContentType(contentType)) {
                pugi::xml_document check;  // refuses DOCTYPEs before anything is carried over
                parseXml(check, asText(bytes), package_.where(source));
                if (lowerAscii(source) == lowerAscii(sourceTheme_)) themeDoc_.reset(check);
                for (std::size_t i = 0; i < layoutSources_.size(); ++i)
                    if (lowerAscii(source) == lowerAscii(layoutSources_[i])) layoutBlank_[i] = isBlankLayout(check);
            }
        }
        if (contentType.empty()) contentType = "application/octet-stream";
        result_.parts.push_back({target, contentType, std::move(bytes)});
        if (root.first_child())
            result_.parts.push_back({relationshipPartName(target), kRelationshipsType, toBytes(serialise(relsDoc, true))});
    }

    // The master with its layout list renumbered for the target deck.
    std::string masterXml(const std::set<std::string>& keptRelationships)
    {
        pugi::xml_node list = xml::child(masterDoc_.document_element(), "sldLayoutIdLst");
        std::uint32_t next = naming_.masterId + 1;
        for (pugi::xml_node id = list.first_child(); id;) {
            pugi::xml_node following = id.next_sibling();
            std::string rid = xml::prefixedAttr(id, "id").as_string();
            if (!xml::is(id, "sldLayoutId") || !keptRelationships.count(rid) || !layoutIds_.count(rid)) {
                list.remove_child(id);
            } else {
                pugi::xml_attribute number = id.attribute("id");
                if (!number) number = id.append_attribute("id");
                number = next++;
            }
            id = following;
        }
        result_.masterId = naming_.masterId;
        result_.nextFreeId = next;
        return serialise(masterDoc_, true);
    }

    static int isBlankLayout(const pugi::xml_document& layout)
    {
        pugi::xml_node root = layout.document_element();
        if (xml::text(root, "type") == "blank") return 2;  // named blank
        pugi::xml_node tree = xml::child(xml::child(root, "cSld"), "spTree");
        for (pugi::xml_node sp : tree.children()) {
            pugi::xml_node nv = xml::child(sp, "nvSpPr");
            if (!nv) nv = xml::child(sp, "nvPicPr");
            if (!nv) nv = xml::child(sp, "nvGraphicFramePr");
            pugi::xml_node ph = xml::child(xml::child(nv, "nvPr"), "ph");
            if (!ph) continue;
            std::string type = xml::text(ph, "type");
            if (type != "dt" && type != "ftr" && type != "sldNum") return 0;
        }
        return 1;  // only date, footer and slide number placeholders
    }

    void findBlankLayout()
    {
        int best = -1;
        for (std::size_t i = 0; i < result_.layoutParts.size(); ++i) {
            int score = layoutBlank_.count(i) ? layoutBlank_[i] : 0;
            if (score == 2) {
                best = static_cast<int>(i);
                break;
            }
            if (score == 1 && best < 0) best = static_cast<int>(i);
        }
        result_.blankLayoutPart = best >= 0 ? result_.layoutParts[best] : result_.layoutParts.back();
    }

    void readTheme()
    {
        pugi::xml_node scheme = xml::descendant(themeDoc_.document_element(), "clrScheme");
        for (pugi::xml_node colour : scheme.children()) {
            if (colour.type() != pugi::node_element) continue;
            std::string value = colourOf(colour);
            if (!value.empty()) result_.themeColours[std::string(localName(colour.name()))] = value;
        }
    }

    std::string schemeColour(const std::string& name) const
    {
        // The master's colour map turns bg1/tx1... into the theme's names.
        std::string mapped = name;
        if (pugi::xml_node map = xml::child(masterDoc_.document_element(), "clrMap")) {
            std::string viaMap = xml::text(map, name.c_str());
            if (!viaMap.empty()) mapped = viaMap;
        }
        auto it = result_.themeColours.find(mapped);
        return it != result_.themeColours.end() ? it->second : "";
    }

    void readBackground()
    {
        pugi::xml_node bg = xml::child(xml::child(masterDoc_.document_element(), "cSld"), "bg");
        if (!bg) return;
        result_.masterBackgroundXml = serialise(bg, false);
        pugi::xml_node fill = xml::child(xml::child(bg, "bgPr"), "solidFill");
        pugi::xml_node colourParent = fill ? fill : xml::child(bg, "bgRef");
        if (!colourParent) return;
        std::string colour = colourOf(colourParent);
        if (colour.empty())
            if (pugi::xml_node scheme = xml::child(colourParent, "schemeClr")) colour = schemeColour(xml::text(scheme, "val"));
        result_.masterBackgroundColour = colour;
    }

    void readFooters()
    {
        pugi::xml_node master = masterDoc_.document_element();
        ImportedTemplate::Footers& footers = result_.masterFooters;
        if (pugi::xml_node hf = xml::child(master, "hf")) {
            // Each flag is on unless the element says otherwise.
            auto shown = [&](std::string_view flag) {
                pugi::xml_attribute a = xml::attr(hf, flag);
                return a.empty() || a.as_bool();
            };
            footers.date = shown("dt");
            footers.footer = shown("ftr");
            footers.slideNumber = shown("sldNum");
        }
        for (pugi::xml_node shape : xml::child(xml::child(master, "cSld"), "spTree").children()) {
            std::string type = xml::text(xml::child(xml::child(xml::child(shape, "nvSpPr"), "nvPr"), "ph"), "type");
            pugi::xml_node body = xml::child(shape, "txBody");
            if (type == "ftr") footers.footerText = plainText(body);
            if (type == "dt" && !xml::descendant(body, "fld")) footers.dateText = plainText(body);
        }
    }

    // The text of a text body, its paragraphs joined by a blank.
    static std::string plainText(const pugi::xml_node& body)
    {
        std::string text;
        bool first = true;
        for (pugi::xml_node paragraph : body.children()) {
            if (!xml::is(paragraph, "p")) continue;
            if (!first) text += ' ';
            first = false;
            for (pugi::xml_node run : paragraph.children())
                if (xml::is(run, "r") || xml::is(run, "fld")) text += xml::child(run, "t").text().as_string();
        }
        return text;
    }

    const OpcPackage& package_;
    std::string mainPart_;
    TemplateNaming naming_;
    MediaStore media_;
    ImportedTemplate result_;

    std::string sourceMaster_, sourceTheme_;
    pugi::xml_document masterDoc_, themeDoc_;
    std::vector<Relationship> masterRels_;
    std::vector<std::string> layoutSources_;
    std::map<std::string, std::string> layoutIds_;  // master relationship id -> new layout name
    std::map<std::size_t, int> layoutBlank_;
    std::map<std::string, std::string> rename_;  // lower-case source part -> new name
    std::set<std::string> taken_;
    std::deque<std::string> queue_;
};

}  // namespace

ImportedTemplate importTemplate(const std::filesystem::path& path, const std::string& displayName,
                                const TemplateNaming& naming)
{
    OpenedPackage opened = openPresentationPackage(path, displayName);
    return Importer(*opened.package, opened.mainPart, naming).run();
}

}  // namespace pptmedia
