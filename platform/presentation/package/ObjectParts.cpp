#include "package/ObjectParts.h"

#include <algorithm>
#include <map>
#include <variant>

#include "office/package/OpcNames.h"
#include "package/LinkTargets.h"
#include "package/ShapeXml.h"
#include "template/TemplateImport.h"

namespace ppt {

namespace opc = office::opc;
namespace {

constexpr const char* kOleUri = "http://schemas.openxmlformats.org/presentationml/2006/ole";

const char* embeddingStem(const MediaItem& item)
{
    if (item.extension == "docx") return "Microsoft_Word_Document";
    if (item.extension == "pptx") return "Microsoft_PowerPoint_Presentation";
    return "oleObject";
}

std::string relativeToSlide(const std::string& partName) { return "../" + partName.substr(4); }  // drop "ppt/"

// <p:pic>: embedded (r:embed), linked (r:link) or both.
void writePicture(office::XmlWriter& xml, int id, const std::u16string& name, const ShapeModel* linksOf, const Box& box,
                  const std::string& embedId, const std::string& linkId, PartLinks& links)
{
    xml.start("p:pic");
    xml.start("p:nvPicPr");
    writeShapeName(xml, id, name, linksOf, links);
    xml.raw("<p:cNvPicPr><a:picLocks noChangeAspect=\"1\"/></p:cNvPicPr><p:nvPr/>");
    xml.end("p:nvPicPr");
    xml.start("p:blipFill");
    xml.start("a:blip");
    if (!embedId.empty()) xml.attr("r:embed", embedId);
    if (!linkId.empty()) xml.attr("r:link", linkId);
    xml.end("a:blip");
    xml.raw("<a:stretch><a:fillRect/></a:stretch>");
    xml.end("p:blipFill");
    xml.start("p:spPr");
    writeXfrm(xml, "a:xfrm", box);
    xml.raw("<a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom>");
    xml.end("p:spPr");
    xml.end("p:pic");
}

std::string fileUrl(const std::u16string& path) { return externalLinkTarget(path, u""); }

void writeOleObject(office::XmlWriter& xml, const ShapeModel& shape, const OleShape& ole, const PresentationModel& model,
                    PartLinks& links)
{
    office::Relationships& rels = links.relationships();
    std::string objectId;
    if (ole.linked) {
        objectId = rels.add(opc::relOleObject, fileUrl(ole.linkTarget), true);
    } else {
        const MediaItem& item = model.embeddings.item(ole.embedding);
        const bool isPackage = item.extension == "docx" || item.extension == "pptx";
        objectId = rels.add(isPackage ? opc::relPackage : opc::relOleObject,
                            relativeToSlide(embeddingPartName(model, ole.embedding)));
    }
    const std::string previewId = rels.add(opc::relImage, relativeToSlide(mediaPartName(model, ole.preview)));

    xml.start("p:graphicFrame");
    xml.start("p:nvGraphicFramePr");
    writeShapeName(xml, shape.id, shape.name.text(), &shape, links);
    xml.raw("<p:cNvGraphicFramePr><a:graphicFrameLocks noChangeAspect=\"1\"/></p:cNvGraphicFramePr><p:nvPr/>");
    xml.end("p:nvGraphicFramePr");
    writeXfrm(xml, "p:xfrm", shape.box);
    xml.start("a:graphic");
    xml.start("a:graphicData");
    xml.attr("uri", kOleUri);
    xml.start("p:oleObj");
    xml.attr("name", shape.name.text());
    xml.attr("r:id", objectId);
    xml.attr("imgW", std::max<std::int64_t>(1, emu(shape.box.width)));
    xml.attr("imgH", std::max<std::int64_t>(1, emu(shape.box.height)));
    xml.attr("progId", ole.progId);
    if (ole.asIcon) xml.attr("showAsIcon", "1");
    if (ole.linked) {
        xml.start("p:link");
        xml.attr("updateAutomatic", "1");
        xml.end("p:link");
    } else {
        xml.empty("p:embed");
    }
    writePicture(xml, shape.id + 1, shape.name.text(), nullptr, shape.box, previewId, {}, links);
    xml.end("p:oleObj");
    xml.end("a:graphicData");
    xml.end("a:graphic");
    xml.end("p:graphicFrame");
}

void writeBytes(office::PartSink& sink, const std::string& name, const std::string& bytes)
{
    sink.beginEntry(name);
    sink.write(bytes.data(), bytes.size());
    sink.endEntry();
}

}  // namespace

bool isObjectShape(const ShapeModel& shape)
{
    return shape.as<PictureShape>() || shape.as<OleShape>();
}

std::string mediaPartName(const PresentationModel& model, std::uint32_t id)
{
    return "ppt/media/image" + std::to_string(id) + "." + model.media.item(id).extension;
}

std::string embeddingPartName(const PresentationModel& model, std::uint32_t id)
{
    const MediaItem& item = model.embeddings.item(id);
    return "ppt/embeddings/" + std::string(embeddingStem(item)) + std::to_string(id) + "." + item.extension;
}

void writeObjectShape(office::XmlWriter& xml, const ShapeModel& shape, const PresentationModel& model, PartLinks& links)
{
    if (const auto* picture = shape.as<PictureShape>()) {
        office::Relationships& rels = links.relationships();
        std::string embedId, linkId;
        if (picture->media) embedId = rels.add(opc::relImage, relativeToSlide(mediaPartName(model, picture->media)));
        if (picture->linked) linkId = rels.add(opc::relImage, fileUrl(picture->linkTarget), true);
        if (embedId.empty() && linkId.empty()) return;
        writePicture(xml, shape.id, shape.name.text(), &shape, shape.box, embedId, linkId, links);
    } else if (const auto* ole = shape.as<OleShape>()) {
        writeOleObject(xml, shape, *ole, model, links);
    }
}

void addObjectContentTypes(office::ContentTypes& types, const PresentationModel& model)
{
    std::map<std::string, std::string> defaults;
    for (std::uint32_t id = 1; id <= model.media.count(); ++id) {
        const MediaItem& item = model.media.item(id);
        defaults.emplace(item.extension, item.contentType);
    }
    // An imported design: its media by extension too, its XML parts (and
    // media whose extension means another type here) by name.
    std::vector<std::pair<std::string, std::string>> overrides;
    if (model.design) {
        for (const pptmedia::PackagePart& part : model.design->parts) {
            const auto dot = part.name.rfind('.');
            const std::string extension = dot == std::string::npos ? std::string() : part.name.substr(dot + 1);
            if (extension == "rels") continue;
            if (extension != "xml" && !extension.empty()) {
                auto [it, added] = defaults.emplace(extension, part.contentType);
                if (added || it->second == part.contentType) continue;
            }
            overrides.emplace_back(part.name, part.contentType);
        }
    }
    for (const auto& [name, type] : overrides) types.byPart(name, type);
    for (const auto& [extension, type] : defaults) types.byExtension(extension, type);
    for (std::uint32_t id = 1; id <= model.embeddings.count(); ++id)
        types.byPart("/" + embeddingPartName(model, id), model.embeddings.item(id).contentType);
}

void writeObjectParts(office::PartSink& sink, const PresentationModel& model)
{
    for (std::uint32_t id = 1; id <= model.media.count(); ++id) writeBytes(sink, mediaPartName(model, id), model.media.item(id).bytes);
    for (std::uint32_t id = 1; id <= model.embeddings.count(); ++id)
        writeBytes(sink, embeddingPartName(model, id), model.embeddings.item(id).bytes);
}

}  // namespace ppt
