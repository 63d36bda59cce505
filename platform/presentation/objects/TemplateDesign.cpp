#include "objects/TemplateDesign.h"

#include "binary/BinaryDesign.h"
#include "com/ComString.h"
#include "objects/InputFile.h"
#include "office/package/PackageKind.h"
#include "template/TemplateImport.h"

namespace ppt {
namespace {

// As PowerPoint does, the design's master brings its header and footer
// settings; slides added later start from them.
void takeMasterFooters(HeaderFooterSet& master, const pptmedia::ImportedTemplate::Footers& design)
{
    master.footer.visible = design.footer;
    master.footer.text = com::utf8ToUtf16(design.footerText);
    master.slideNumber.visible = design.slideNumber;
    master.dateAndTime.visible = design.date;
    master.dateAndTime.text = com::utf8ToUtf16(design.dateText);
    master.dateAndTime.useFormat = design.dateText.empty();  // a field stays current
}

}  // namespace

void applyTemplate(PresentationModel& presentation, const std::u16string& fileName)
{
    constexpr const char* member = "Presentation.ApplyTemplate";
    const InputFile file = resolveInputFile(fileName, member);
    // The imported parts take the places of the built-in master, its layout
    // and its theme; the notes master keeps theme2.
    pptmedia::TemplateNaming naming;
    naming.masterNumber = 1;
    naming.themeNumber = 1;
    naming.firstLayoutNumber = 1;
    auto imported = readMedia(member, [&] {
        // Content decides: a 97-2003 .pot or .ppt whatever its name.
        return std::make_shared<const pptmedia::ImportedTemplate>(
            office::isLegacyBinaryFile(file.nativePath, file.displayName)
                ? readBinaryDesign(file.nativePath, file.displayName, naming)
                : pptmedia::importTemplate(file.nativePath, file.displayName, naming));
    });
    presentation.design = std::move(imported);
    takeMasterFooters(presentation.master.headersFooters, presentation.design->masterFooters);
}

}  // namespace ppt
