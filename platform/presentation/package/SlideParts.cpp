// Slides and notes slides.
#include "com/ComString.h"
#include "office/package/OpcNames.h"
#include "package/DesignImport.h"
#include "package/ObjectParts.h"
#include "package/PackageStream.h"
#include "package/Parts.h"
#include "package/ShapeXml.h"

namespace ppt {

namespace opc = office::opc;
namespace {

// A slide or notes slide: its shape tree and, on a slide, the footer
// placeholders it shows, numbered `number`.
void writeSlidePart(office::XmlWriter& xml, const char* root, ShapeTree& shapes, const PresentationModel& model,
                    PartLinks& links, const HeaderFooterSet* footers, int number)
{
    openPart(xml, root);
    xml.start("p:cSld");
    xml.start("p:spTree");
    writeTreeGroup(xml);
    for (auto& shape : shapes.shapes) {
        if (isObjectShape(*shape))
            writeObjectShape(xml, *shape, model, links);
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

void settleSlideLayout(SlideModel& slide)
{
    for (auto& shape : slide.shapes.shapes) shape->effectiveBox();
    if (slide.notes)
        for (auto& shape : slide.notes->shapes.shapes) shape->effectiveBox();
}

void writeSlideParts(office::PartSink& sink, SlideModel& slide, const SlidePlace& place)
{
    PackageStream out(sink);
    const std::string number = std::to_string(place.number);
    const std::string file = "slide" + number + ".xml";
    out.partWithRels("ppt/slides/", file, [&](office::XmlWriter& xml, office::Relationships& rels) {
        rels.add(opc::relSlideLayout, std::string(place.layoutTarget));
        if (place.notes) rels.add(opc::relNotesSlide, "../notesSlides/notesSlide" + number + ".xml");
        PartLinks links(slide.shapes, rels, place.slides, "");
        writeSlidePart(xml, "p:sld", slide.shapes, place.model, links, &slide.headersFooters, place.number);
    });
    if (!place.notes) return;
    out.partWithRels("ppt/notesSlides/", "notesSlide" + number + ".xml", [&](office::XmlWriter& xml, office::Relationships& rels) {
        rels.add(opc::relNotesMaster, "../notesMasters/notesMaster1.xml");
        rels.add(opc::relSlide, "../slides/" + file);
        NotesPageModel& notes = *slide.notes;  // placed with notes only when it has them
        PartLinks links(notes.shapes, rels, place.slides, "../slides/");
        writeSlidePart(xml, "p:notes", notes.shapes, place.model, links, nullptr, place.number);
    });
}

}  // namespace ppt
