// Slides and notes slides.
#include "com/ComString.h"
#include "package/DesignImport.h"
#include "package/ObjectParts.h"
#include "package/OpcNames.h"
#include "package/Parts.h"
#include "package/ShapeXml.h"

namespace ppt {
namespace {

void openPart(office::XmlWriter& xml, const char* root)
{
    xml.declaration();
    xml.start(root);
    xml.attr("xmlns:a", opc::nsA);
    xml.attr("xmlns:r", opc::nsR);
    xml.attr("xmlns:p", opc::nsP);
}

}  // namespace

void writeSlide(office::XmlWriter& xml, SlideModel& slide, int number, const PackagePlan& plan, office::Relationships& rels)
{
    rels.add(opc::relSlideLayout, slideLayoutTarget(plan.model));
    if (int notes = plan.notesNumber[static_cast<std::size_t>(number) - 1])
        rels.add(opc::relNotesSlide, "../notesSlides/notesSlide" + std::to_string(notes) + ".xml");
    PartLinks links(slide.shapes, rels, plan.slides, "");

    openPart(xml, "p:sld");
    xml.start("p:cSld");
    xml.start("p:spTree");
    writeTreeGroup(xml);
    for (auto& shape : slide.shapes.shapes) {
        if (isObjectShape(*shape))
            writeObjectShape(xml, *shape, plan.model, links);
        else
            writeShape(xml, *shape, links);
    }
    int nextId = slide.shapes.nextId;
    writeFooterPlaceholders(xml, slide.headersFooters, com::utf8ToUtf16(std::to_string(number)), nextId);
    xml.end("p:spTree");
    xml.end("p:cSld");
    xml.raw("<p:clrMapOvr><a:masterClrMapping/></p:clrMapOvr>");
    xml.end("p:sld");
}

void writeNotesSlide(office::XmlWriter& xml, SlideModel& slide, int number, const PackagePlan& plan, office::Relationships& rels)
{
    rels.add(opc::relNotesMaster, "../notesMasters/notesMaster1.xml");
    rels.add(opc::relSlide, "../slides/slide" + std::to_string(number) + ".xml");
    NotesPageModel& notes = slide.notesPage();
    PartLinks links(notes.shapes, rels, plan.slides, "../slides/");

    openPart(xml, "p:notes");
    xml.start("p:cSld");
    xml.start("p:spTree");
    writeTreeGroup(xml);
    for (auto& shape : notes.shapes.shapes) {
        if (isObjectShape(*shape))
            writeObjectShape(xml, *shape, plan.model, links);
        else
            writeShape(xml, *shape, links);
    }
    xml.end("p:spTree");
    xml.end("p:cSld");
    xml.raw("<p:clrMapOvr><a:masterClrMapping/></p:clrMapOvr>");
    xml.end("p:notes");
}

}  // namespace ppt
