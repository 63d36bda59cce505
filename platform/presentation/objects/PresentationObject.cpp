// A presentation: its name, saving, closing, its master and slides.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "com/ErrorInfo.h"
#include "com/ComError.h"
#include "com/ComRuntime.h"
#include "com/ComString.h"
#include "binary/PowerPointWriter.h"
#include "objects/ObjectBase.h"
#include "objects/Objects.h"
#include "objects/TemplateDesign.h"
#include "package/PackageWriter.h"
#include "package/FinishedSlides.h"
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
    using ObjectBase::ObjectBase;

    std::u16string GetFullName() override
    {
        return member("Presentation.GetFullName", [&]() -> std::u16string {
            const PresentationModel& p = model();
            return p.fullName.empty() ? p.name : p.fullName;
        });
    }

    void Close() override
    {
        member("Presentation.Close", [&] { context().app->closePresentation(model()); });
    }

    void Save() override
    {
        member("Presentation.Save", [&] {
            PresentationModel& p = model();
            if (p.fullName.empty()) {
                saveUntitled();
                return;
            }
            const FileFormat format = formatNamedBy(p.nativePath).value_or(p.savedAsBinary ? FileFormat::Binary : FileFormat::OpenXml);
            write(p, p.nativePath, format, SaveOptions{p.savedAsTemplate, p.embedFonts, true});
        });
    }

    const PresentationPtr& modelPtr() const { return context().presentation; }

    void SaveAs(const std::u16string& fileName, PpSaveAsFileType format, MsoTriState embedTrueTypeFonts) override
    {
        member("Presentation.SaveAs", [&] {
            // The format asked for counts only where the name's extension
            // does not say one.
            SaveOptions options;
            FileFormat requested = FileFormat::OpenXml;
            switch (static_cast<int>(format)) {
            case ppSaveAsPresentation: requested = FileFormat::Binary; break;
            case 11:  // ppSaveAsDefault
            case ppSaveAsOpenXMLPresentation: break;
            case ppSaveAsTemplate:
                requested = FileFormat::Binary;
                options.asTemplate = true;
                break;
            case 26:  // ppSaveAsOpenXMLTemplate
                options.asTemplate = true;
                break;
            default:
                com::throwComError(E_INVALIDARG, "Presentation.SaveAs : the file format " +
                                                     std::to_string(static_cast<int>(format)) + " is not supported.");
            }
            options.embedFonts = triStateArgument(embedTrueTypeFonts, "Presentation.SaveAs EmbedTrueTypeFonts");
            saveTo(fileName, requested, options);
        });
    }

    void ApplyTemplate(const std::u16string& fileName) override
    {
        member("Presentation.ApplyTemplate", [&] { applyTemplate(model(), fileName); });
    }

    ComPtr<_Master> GetSlideMaster() override
    {
        return member("Presentation.GetSlideMaster", [&] { return makeMaster(context()); });
    }

    ComPtr<Slides> GetSlides() override
    {
        return member("Presentation.GetSlides", [&] { return makeSlides(context()); });
    }

private:
    PresentationModel& model() const { return *context().presentation; }

    // An untitled presentation goes to the documents folder under the first
    // name "PresentationN.pptx" that no file has: nothing of the user's is
    // replaced. Where it went is told on standard error, as PowerPoint would
    // show it.
    void saveUntitled()
    {
        const std::filesystem::path folder = defaultSaveFolder();
        const std::string untitled = com::utf16ToUtf8(model().name);
        for (int n = 1;; ++n) {
            const std::filesystem::path file = folder / ("Presentation" + std::to_string(n) + ".pptx");
            std::error_code error;
            if (std::filesystem::exists(std::filesystem::symlink_status(file, error))) continue;
            try {
                SaveOptions options;
                options.replace = false;
                saveTo(com::utf8ToUtf16(file.string()), FileFormat::OpenXml, options);
            } catch (const ComError& e) {
                if (e.Error() == HR_FILE_EXISTS) continue;  // made meanwhile by someone else
                throw;
            }
            std::fprintf(stderr, "PowerPoint: the untitled presentation \"%s\" was saved as \"%s\".\n",
                         untitled.c_str(), file.c_str());
            return;
        }
    }

    static void write(PresentationModel& p, const std::string& nativePath, FileFormat format, const SaveOptions& options)
    {
        if (format == FileFormat::Binary) {
            settleFinishedSlides(p);  // the binary writer reads every slide
            writePowerPointBinary(p, nativePath, options.replace);
        } else {
            writePresentationPackage(p, nativePath, options);
        }
    }

    void saveTo(const std::u16string& fileName, FileFormat requested, SaveOptions options)
    {
        const SavePath target = resolveSavePath(fileName);
        if (endsWithNoCase(target.nativePath, ".potx")) options.asTemplate = true;
        const FileFormat format = formatNamedBy(target.nativePath).value_or(requested);
        PresentationModel& p = model();
        write(p, target.nativePath, format, options);
        p.savedAsBinary = format == FileFormat::Binary;
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
