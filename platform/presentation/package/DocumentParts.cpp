// The package's own parts: content types, the root relationships, the
// document properties and presentation.xml.
#include <algorithm>
#include <ctime>

#include "com/ComString.h"
#include "office/package/ContentTypes.h"
#include "office/package/CoreProperties.h"
#include "office/package/OpcNames.h"
#include "package/DesignImport.h"
#include "package/ObjectParts.h"
#include "package/Parts.h"
#include "template/TemplateImport.h"

namespace ppt {

namespace opc = office::opc;

PackagePlan::PackagePlan(const PresentationModel& model, const SaveOptions& options)
    : model(model), options(options), slides(model), notesNumber(model.slides.size(), 0)
{
    for (std::size_t i = 0; i < model.slides.size(); ++i)
        if (model.slides[i]->notes) notesNumber[i] = static_cast<int>(i + 1);
    notesCount = static_cast<int>(std::count_if(notesNumber.begin(), notesNumber.end(), [](int n) { return n != 0; }));
    layoutTarget = slideLayoutTarget(model);
}

SlidePlace PackagePlan::place(std::size_t slide) const
{
    return SlidePlace{static_cast<int>(slide + 1), notesNumber[slide] != 0, layoutTarget, slides, model};
}

void writeContentTypes(office::XmlWriter& xml, const PackagePlan& plan)
{
    xml.declaration();
    office::ContentTypes types(xml);
    addObjectContentTypes(types, plan.model);
    types.byPart("/ppt/presentation.xml", plan.options.asTemplate ? opc::typeTemplate : opc::typePresentation);
    if (!plan.model.design) {
        types.byPart("/ppt/slideMasters/slideMaster1.xml", opc::typeSlideMaster);
        types.byPart("/ppt/slideLayouts/slideLayout1.xml", opc::typeSlideLayout);
        types.byPart("/ppt/theme/theme1.xml", opc::typeTheme);
    }
    types.byPart("/ppt/notesMasters/notesMaster1.xml", opc::typeNotesMaster);
    types.byPart("/ppt/theme/theme2.xml", opc::typeTheme);
    types.byPart("/ppt/presProps.xml", opc::typePresProps);
    types.byPart("/ppt/viewProps.xml", opc::typeViewProps);
    types.byPart("/ppt/tableStyles.xml", opc::typeTableStyles);
    types.byPart("/docProps/core.xml", opc::typeCoreProperties);
    types.byPart("/docProps/app.xml", opc::typeExtendedProperties);
    for (int n = 1; n <= plan.slides.count(); ++n) {
        types.byPart("/ppt/slides/slide" + std::to_string(n) + ".xml", opc::typeSlide);
        if (int notes = plan.notesNumber[static_cast<std::size_t>(n) - 1])
            types.byPart("/ppt/notesSlides/notesSlide" + std::to_string(notes) + ".xml", opc::typeNotesSlide);
    }
    types.finish();
}

void writeRootRelationships(office::XmlWriter& xml)
{
    office::Relationships rels;
    rels.add(opc::relOfficeDocument, "ppt/presentation.xml");
    rels.add(opc::relCoreProperties, "docProps/core.xml");
    rels.add(opc::relExtendedProperties, "docProps/app.xml");
    xml.declaration();
    rels.write(xml);
}

void writeCoreProperties(office::XmlWriter& xml, const PackagePlan& plan)
{
    std::u16string title = plan.model.name;
    if (auto dot = title.rfind(u'.'); dot != std::u16string::npos && dot > 0) title.resize(dot);
    xml.declaration();
    office::writeCoreProperties(xml, std::time(nullptr), title);
}

void writeAppProperties(office::XmlWriter& xml, const PackagePlan& plan)
{
    xml.declaration();
    xml.start("Properties");
    xml.attr("xmlns", "http://schemas.openxmlformats.org/officeDocument/2006/extended-properties");
    xml.attr("xmlns:vt", "http://schemas.openxmlformats.org/officeDocument/2006/docPropsVTypes");
    xml.raw("<TotalTime>0</TotalTime><PresentationFormat>On-screen Show (4:3)</PresentationFormat>");
    xml.raw("<Slides>" + std::to_string(plan.slides.count()) + "</Slides><Notes>" + std::to_string(plan.notesCount) +
            "</Notes><HiddenSlides>0</HiddenSlides><MMClips>0</MMClips>");
    xml.raw("<Application>Orvel PowerPoint</Application><AppVersion>16.0000</AppVersion>");
    xml.end("Properties");
}

void writePresentation(office::XmlWriter& xml, const PackagePlan& plan, office::Relationships& rels)
{
    const pptmedia::ImportedTemplate* design = plan.model.design.get();
    const std::string master =
        rels.add(opc::relSlideMaster, design ? design->masterPart.substr(5) : "slideMasters/slideMaster1.xml");
    const std::string notesMaster = rels.add(opc::relNotesMaster, "notesMasters/notesMaster1.xml");
    rels.add(opc::relTheme, design ? design->themePart.substr(5) : "theme/theme1.xml");
    rels.add(opc::relPresProps, "presProps.xml");
    rels.add(opc::relViewProps, "viewProps.xml");
    rels.add(opc::relTableStyles, "tableStyles.xml");

    xml.declaration();
    xml.start("p:presentation");
    xml.attr("xmlns:a", opc::nsA);
    xml.attr("xmlns:r", opc::nsR);
    xml.attr("xmlns:p", opc::nsP);
    xml.attr("saveSubsetFonts", "1");
    if (plan.options.embedFonts) xml.attr("embedTrueTypeFonts", "1");
    const std::string masterId = design ? std::to_string(design->masterId) : "2147483648";
    xml.raw("<p:sldMasterIdLst><p:sldMasterId id=\"" + masterId + "\" r:id=\"" + master + "\"/></p:sldMasterIdLst>");
    xml.raw("<p:notesMasterIdLst><p:notesMasterId r:id=\"" + notesMaster + "\"/></p:notesMasterIdLst>");
    if (!plan.model.slides.empty()) {
        xml.start("p:sldIdLst");
        for (std::size_t i = 0; i < plan.model.slides.size(); ++i) {
            xml.start("p:sldId");
            xml.attr("id", plan.model.slides[i]->id);
            xml.attr("r:id", rels.add(opc::relSlide, "slides/slide" + std::to_string(i + 1) + ".xml"));
            xml.end("p:sldId");
        }
        xml.end("p:sldIdLst");
    }
    xml.raw("<p:sldSz cx=\"9144000\" cy=\"6858000\" type=\"screen4x3\"/><p:notesSz cx=\"6858000\" cy=\"9144000\"/>");
    xml.raw("<p:defaultTextStyle><a:lvl1pPr marL=\"0\" algn=\"l\" defTabSz=\"914400\"><a:defRPr sz=\"1800\">"
            "<a:solidFill><a:schemeClr val=\"tx1\"/></a:solidFill><a:latin typeface=\"+mn-lt\"/></a:defRPr>"
            "</a:lvl1pPr></p:defaultTextStyle>");
    xml.end("p:presentation");
}

}  // namespace ppt
