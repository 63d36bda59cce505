#include "objects/TemplateDesign.h"

#include "objects/InputFile.h"
#include "template/TemplateImport.h"

namespace ppt {

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
        return std::make_shared<const pptmedia::ImportedTemplate>(
            pptmedia::importTemplate(file.nativePath, file.displayName, naming));
    });
    presentation.design = std::move(imported);
}

}  // namespace ppt
