#include "package/DesignImport.h"

#include "template/TemplateImport.h"

namespace ppt {

void writeImportedDesign(office::PartSink& sink, const pptmedia::ImportedTemplate& design)
{
    for (const pptmedia::PackagePart& part : design.parts) {
        sink.beginEntry(part.name.substr(1));  // zip entries carry no leading "/"
        sink.write(reinterpret_cast<const char*>(part.bytes.data()), part.bytes.size());
        sink.endEntry();
    }
}

std::string slideLayoutTarget(const PresentationModel& presentation)
{
    if (!presentation.design) return "../slideLayouts/slideLayout1.xml";
    // Imported names are absolute ("/ppt/slideLayouts/slideLayout7.xml").
    return ".." + presentation.design->blankLayoutPart.substr(4);
}

}  // namespace ppt
