// A presentation: its name, saving, closing, its master and slides.
#include <algorithm>
#include <filesystem>
#include <string>

#include "com/ComError.h"
#include "com/ComRuntime.h"
#include "com/ComString.h"
#include "objects/ObjectBase.h"
#include "objects/Objects.h"
#include "objects/TemplateDesign.h"
#include "package/PackageWriter.h"
#include "package/SavePath.h"

namespace ppt {
namespace {

using namespace PowerPoint;

bool endsWithNoCase(const std::string& text, const std::string& suffix)
{
    if (text.size() < suffix.size()) return false;
    return std::equal(suffix.begin(), suffix.end(), text.end() - static_cast<std::ptrdiff_t>(suffix.size()),
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

class PresentationObject final : public ObjectBase<_Presentation> {
public:
    using InterfaceType = _Presentation;
    explicit PresentationObject(Context context) : ObjectBase(std::move(context)) {}

    std::u16string GetFullName() override
    {
        check();
        const PresentationModel& p = model();
        return p.fullName.empty() ? p.name : p.fullName;
    }

    void Close() override
    {
        check();
        context().app->closePresentation(model());
    }

    void Save() override
    {
        check();
        PresentationModel& p = model();
        if (p.fullName.empty()) {
            // An untitled presentation goes to the documents folder under its name.
            const std::string folder = defaultSaveFolder();
            saveTo(com::utf8ToUtf16((std::filesystem::path(folder) / com::utf16ToUtf8(p.name + u".pptx")).string()),
                   SaveOptions{});
            return;
        }
        writePresentationPackage(p, p.nativePath, SaveOptions{p.savedAsTemplate, p.embedFonts});
    }

    const PresentationPtr& modelPtr() const { return context().presentation; }

    void SaveAs(const std::u16string& fileName, PpSaveAsFileType format, MsoTriState embedTrueTypeFonts) override
    {
        check();
        SaveOptions options;
        switch (static_cast<int>(format)) {
        case ppSaveAsPresentation:
        case 11:  // ppSaveAsDefault
        case ppSaveAsOpenXMLPresentation: break;
        case ppSaveAsTemplate:
        case 26:  // ppSaveAsOpenXMLTemplate
            options.asTemplate = true;
            break;
        default:
            com::throwComError(E_INVALIDARG, "Presentation.SaveAs : the file format " +
                                                 std::to_string(static_cast<int>(format)) + " is not supported.");
        }
        options.embedFonts = triStateArgument(embedTrueTypeFonts, "Presentation.SaveAs EmbedTrueTypeFonts");
        saveTo(fileName, options);
    }

    void ApplyTemplate(const std::u16string& fileName) override
    {
        check();
        applyTemplate(model(), fileName);
    }

    ComPtr<_Master> GetSlideMaster() override
    {
        check();
        return makeMaster(context());
    }

    ComPtr<Slides> GetSlides() override
    {
        check();
        return makeSlides(context());
    }

private:
    PresentationModel& model() const { return *context().presentation; }

    void saveTo(const std::u16string& fileName, SaveOptions options)
    {
        const SavePath target = resolveSavePath(fileName);
        if (endsWithNoCase(target.nativePath, ".potx")) options.asTemplate = true;
        PresentationModel& p = model();
        writePresentationPackage(p, target.nativePath, options);
        p.savedAsTemplate = options.asTemplate;
        p.embedFonts = options.embedFonts;
        p.fullName = target.fullName;
        p.nativePath = target.nativePath;
        p.name = com::utf8ToUtf16(std::filesystem::path(target.nativePath).filename().string());
        // The file is now this presentation's: others see it as open.
        if (p.runningCookie) com::revokeRunningFile(p.runningCookie);
        p.runningCookie = com::registerRunningFile(p.nativePath, static_cast<_Presentation*>(this));
    }
};

}  // namespace

ComPtr<_Presentation> makePresentation(const Context& context) { return makeObject<PresentationObject>(context); }

std::shared_ptr<PresentationModel> presentationModel(const ComPtr<_Presentation>& presentation)
{
    auto* object = dynamic_cast<PresentationObject*>(presentation.get());
    return object ? object->modelPtr() : nullptr;
}

}  // namespace ppt
