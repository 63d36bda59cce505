#include "TemplateDeck.h"

namespace mediatest {
namespace {

const std::string kPml = "application/vnd.openxmlformats-officedocument.presentationml.";
const std::string kGroup =
    "<p:nvGrpSpPr><p:cNvPr id=\"1\" name=\"\"/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr><p:grpSpPr><a:xfrm><a:off x=\"0\" "
    "y=\"0\"/><a:ext cx=\"0\" cy=\"0\"/><a:chOff x=\"0\" y=\"0\"/><a:chExt cx=\"0\" cy=\"0\"/></a:xfrm></p:grpSpPr>";

struct Rel {
    std::string id, type, target;
};

std::string rels(const std::vector<Rel>& list)
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?><Relationships "
                      "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    for (const Rel& r : list) xml += "<Relationship Id=\"" + r.id + "\" Type=\"" + kRelNs + r.type + "\" Target=\"" + r.target + "\"/>";
    return xml + "</Relationships>";
}

std::string placeholder(int id, const std::string& type)
{
    std::string ph = type.empty() ? "<p:ph idx=\"" + std::to_string(id + 10) + "\"/>" : "<p:ph type=\"" + type + "\"/>";
    return "<p:sp><p:nvSpPr><p:cNvPr id=\"" + std::to_string(id) + "\" name=\"Placeholder " + std::to_string(id) +
           "\"/><p:cNvSpPr/><p:nvPr>" + ph + "</p:nvPr></p:nvSpPr><p:spPr/><p:txBody><a:bodyPr/><a:lstStyle/><a:p/></p:txBody></p:sp>";
}

std::string picture(int id, const std::string& rid)
{
    return "<p:pic><p:nvPicPr><p:cNvPr id=\"" + std::to_string(id) +
           "\" name=\"Logo\"/><p:cNvPicPr/><p:nvPr/></p:nvPicPr><p:blipFill><a:blip r:embed=\"" + rid +
           "\"/><a:stretch><a:fillRect/></a:stretch></p:blipFill><p:spPr><a:xfrm><a:off x=\"100000\" y=\"100000\"/><a:ext "
           "cx=\"500000\" cy=\"500000\"/></a:xfrm><a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></p:spPr></p:pic>";
}

}  // namespace

Bytes makeTemplate(const TemplateRecipe& recipe)
{
    std::vector<Part> parts;
    std::vector<std::pair<std::string, std::string>> types;
    parts.push_back({"_rels/.rels", rels({{"rId1", "officeDocument", "ppt/presentation.xml"}})});

    std::string presentation = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?><p:presentation " + kNs + ">";
    if (recipe.withMaster) presentation += "<p:sldMasterIdLst><p:sldMasterId id=\"2147483648\" r:id=\"rId1\"/></p:sldMasterIdLst>";
    presentation += "<p:sldSz cx=\"9144000\" cy=\"6858000\"/><p:notesSz cx=\"6858000\" cy=\"9144000\"/>"
                    "<p:defaultTextStyle><a:lvl1pPr><a:defRPr sz=\"1800\"/></a:lvl1pPr></p:defaultTextStyle></p:presentation>";
    parts.push_back({"ppt/presentation.xml", presentation});
    types.push_back({"ppt/presentation.xml", recipe.mainContentType});
    if (!recipe.withMaster) return opcPackage(parts, types);
    parts.push_back({"ppt/_rels/presentation.xml.rels", rels({{"rId1", "slideMaster", "slideMasters/slideMaster1.xml"}})});

    std::vector<Rel> masterRels = {{"rId1", "theme", "../theme/theme1.xml"}};
    std::string layoutIds;
    for (std::size_t i = 0; i < recipe.layouts.size(); ++i) {
        std::string n = std::to_string(i + 1), rid = "rId" + std::to_string(i + 10);
        masterRels.push_back({rid, "slideLayout", "../slideLayouts/slideLayout" + n + ".xml"});
        layoutIds += "<p:sldLayoutId id=\"" + std::to_string(2147483649u + i) + "\" r:id=\"" + rid + "\"/>";
        std::string tree;
        int id = 2;
        for (const std::string& ph : recipe.layouts[i].placeholders) tree += placeholder(id++, ph);
        std::vector<Rel> layoutRels = {{"rId1", "slideMaster", "../slideMasters/slideMaster1.xml"}};
        if (i == 0 && recipe.masterPicture) {
            tree += picture(id++, "rId2");
            layoutRels.push_back({"rId2", "image", "../media/logo.png"});
        }
        std::string type = recipe.layouts[i].type.empty() ? "" : " type=\"" + recipe.layouts[i].type + "\"";
        parts.push_back({"ppt/slideLayouts/slideLayout" + n + ".xml",
                         "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?><p:sldLayout " + kNs + type +
                             "><p:cSld name=\"Layout " + n + "\"><p:spTree>" + kGroup + tree + "</p:spTree></p:cSld></p:sldLayout>"});
        parts.push_back({"ppt/slideLayouts/_rels/slideLayout" + n + ".xml.rels", rels(layoutRels)});
        types.push_back({"ppt/slideLayouts/slideLayout" + n + ".xml", kPml + "slideLayout+xml"});
    }
    std::string masterTree = kGroup;
    if (recipe.masterPicture) {
        masterRels.push_back({"rId2", "image", "../media/logo.png"});
        masterTree += picture(2, "rId2");
        parts.push_back({"ppt/media/logo.png", asString(pngPicture(8, 8))});
    }
    if (!recipe.masterFooter.empty())
        masterTree += "<p:sp><p:nvSpPr><p:cNvPr id=\"3\" name=\"Footer\"/><p:cNvSpPr/><p:nvPr><p:ph type=\"ftr\" idx=\"11\"/>"
                      "</p:nvPr></p:nvSpPr><p:spPr/><p:txBody><a:bodyPr/><a:lstStyle/><a:p><a:r><a:t>" +
                      recipe.masterFooter + "</a:t></a:r></a:p></p:txBody></p:sp>";
    parts.push_back({"ppt/slideMasters/_rels/slideMaster1.xml.rels", rels(masterRels)});
    parts.push_back({"ppt/slideMasters/slideMaster1.xml",
                     recipe.masterPrefix + "<p:sldMaster " + kNs + "><p:cSld>" + recipe.masterBackground + "<p:spTree>" +
                         masterTree +
                         "</p:spTree></p:cSld><p:clrMap bg1=\"lt1\" tx1=\"dk1\" bg2=\"lt2\" tx2=\"dk2\" accent1=\"accent1\" "
                         "accent2=\"accent2\" accent3=\"accent3\" accent4=\"accent4\" accent5=\"accent5\" accent6=\"accent6\" "
                         "hlink=\"hlink\" folHlink=\"folHlink\"/><p:sldLayoutIdLst>" +
                         layoutIds + "</p:sldLayoutIdLst>" + recipe.masterHf + "<p:txStyles><p:titleStyle/><p:bodyStyle/><p:otherStyle/></p:txStyles></p:sldMaster>"});
    types.push_back({"ppt/slideMasters/slideMaster1.xml", kPml + "slideMaster+xml"});
    parts.push_back({"ppt/theme/theme1.xml", dataFile("template/theme1.xml")});
    types.push_back({"ppt/theme/theme1.xml", "application/vnd.openxmlformats-officedocument.theme+xml"});
    return opcPackage(parts, types);
}

}  // namespace mediatest
