// Slides and notes slides.
#include "com/ComString.h"
#include "office/package/OpcNames.h"
#include "package/DesignImport.h"
#include "package/ObjectParts.h"
#include "package/Parts.h"
#include "package/ShapeXml.h"

namespace ppt {

namespace opc = office::opc;
namespace {

// A slide or notes slide: its shape tree and, on a slide, the footer
// placeholders it shows, numbered `number`.
void writeSlidePart(office::XmlWriter& xml, const char* root, ShapeTree& shapes, const PackagePlan& plan,
                    PartLinks& links, const HeaderFooterSet* footers, int number)
{
    openPart(xml, root);
    xml.start("p:cSld");
    xml.start("p:spTree");
    writeTreeGroup(xml);
    for (auto& shape : shapes.shapes) {
        if (isObjectShape(*shape))
            writeObjectShape(xml, *shape, plan.model, links);
        else
            writeShape(xml, *shape, links);
    }
    if (footers) {
        int nextId = shapes.nextId;
        writeFooterPlaceholders(xml, *footers, com::utf8ToUtf16(std::to_string(number)), nextId);
    }
    xml.end("p:spTree");
    xml.end("p:cSld");
    xml.raw("<p:clrMapOvr><a:masterClrMapping/></p:clrMapOvr>");
    xml.end(root);
}

}  // namespace

void openPart(office::XmlWriter& xml, const char* root)
{
    xml.declaration();
    xml.start(root);
    xml.attr("xmlns:a", opc::nsA);
    xml.attr("xmlns:r", opc::nsR);
    xml.attr("xmlns:p", opc::nsP);
}

void writeSlide(office::XmlWriter& xml, SlideModel& slide, int number, const PackagePlan& plan, office::Relationships& rels)
{
    rels.add(opc::relSlideLayout, slideLayoutTarget(plan.model));
    if (int notes = plan.notesNumber[static_cast<std::size_t>(number) - 1])
        rels.add(opc::relNotesSlide, "../notesSlides/notesSlide" + std::to_string(notes) + ".xml");
    PartLinks links(slide.shapes, rels, plan.slides, "");
    writeSlidePart(xml, "p:sld", slide.shapes, plan, links, &slide.headersFooters, number);
}

void writeNotesSlide(office::XmlWriter& xml, SlideModel& slide, int number, const PackagePlan& plan, office::Relationships& rels)
{
    rels.add(opc::relNotesMaster, "../notesMasters/notesMaster1.xml");
    rels.add(opc::relSlide, "../slides/slide" + std::to_string(number) + ".xml");
    NotesPageModel& notes = *slide.notes;  // the plan numbers only slides that have notes
    PartLinks links(notes.shapes, rels, plan.slides, "../slides/");
    writeSlidePart(xml, "p:notes", notes.shapes, plan, links, nullptr, number);
}

}  // namespace ppt
