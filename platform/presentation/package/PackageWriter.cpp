#include "package/PackageWriter.h"

#include <functional>
#include <string_view>

#include "com/ErrorInfo.h"

#include "package/AtomicFile.h"
#include "package/DesignImport.h"
#include "package/ObjectParts.h"
#include "package/Parts.h"
#include "package/ZipWriter.h"

namespace ppt {
namespace {

constexpr int kCompressionLevel = 6;  // zlib's default balance of size and time

class PackageStream {
public:
    explicit PackageStream(PartSink& zip) : zip_(zip) {}

    void part(const std::string& name, const std::function<void(XmlWriter&)>& body)
    {
        zip_.beginEntry(name);
        XmlWriter xml(zip_);
        body(xml);
        xml.flush();
        zip_.endEntry();
    }

    // A part and its relationships (written as _rels/<name>.rels beside it).
    void partWithRels(const std::string& folder, const std::string& file,
                      const std::function<void(XmlWriter&, Relationships&)>& body)
    {
        Relationships rels;
        part(folder + file, [&](XmlWriter& xml) { body(xml, rels); });
        if (!rels.empty()) part(folder + "_rels/" + file + ".rels", [&](XmlWriter& xml) { rels.write(xml); });
    }

private:
    PartSink& zip_;
};

}  // namespace

void writePresentationPackage(PresentationModel& model, const std::string& nativePath, const SaveOptions& options)
{
    // Whatever goes wrong is told with the file's name.
    const std::string what = "Presentation.SaveAs : cannot write \"" + nativePath + "\"";
    try {
        com::guardMember(what, [&] {
            AtomicFile file(nativePath, options.replace);
            ZipWriter zip(file, kCompressionLevel);
            writePackageParts(model, options, zip);
            zip.finish();
            file.commit();
        });
    } catch (const ComError& e) {
        if (e.Description().find(nativePath) != std::string::npos) throw;
        std::string reason = e.Description();
        constexpr std::string_view member = "Presentation.SaveAs : ";
        if (reason.starts_with(member)) reason.erase(0, member.size());
        throw ComError(e.Error(), what + ": " + reason);
    }
}

void writePackageParts(PresentationModel& model, const SaveOptions& options, PartSink& sink)
{
    PackageStream out(sink);
    const PackagePlan plan(model, options);

    out.part("[Content_Types].xml", [&](XmlWriter& xml) { writeContentTypes(xml, plan); });
    out.part("_rels/.rels", [&](XmlWriter& xml) { writeRootRelationships(xml); });
    out.part("docProps/core.xml", [&](XmlWriter& xml) { writeCoreProperties(xml, plan); });
    out.part("docProps/app.xml", [&](XmlWriter& xml) { writeAppProperties(xml, plan); });
    out.partWithRels("ppt/", "presentation.xml", [&](XmlWriter& xml, Relationships& rels) { writePresentation(xml, plan, rels); });
    out.part("ppt/presProps.xml", [&](XmlWriter& xml) { writePresProps(xml); });
    out.part("ppt/viewProps.xml", [&](XmlWriter& xml) { writeViewProps(xml); });
    out.part("ppt/tableStyles.xml", [&](XmlWriter& xml) { writeTableStyles(xml); });
    if (model.design) {
        writeImportedDesign(sink, *model.design);
    } else {
        out.partWithRels("ppt/slideMasters/", "slideMaster1.xml", [&](XmlWriter& xml, Relationships& rels) {
            writeSlideMaster(xml, model, plan.slides, rels);
        });
        out.partWithRels("ppt/slideLayouts/", "slideLayout1.xml",
                         [&](XmlWriter& xml, Relationships& rels) { writeSlideLayout(xml, rels); });
        out.part("ppt/theme/theme1.xml", [&](XmlWriter& xml) { writeTheme(xml, "Plain"); });
    }
    out.part("ppt/theme/theme2.xml", [&](XmlWriter& xml) { writeTheme(xml, "Plain Notes"); });
    out.partWithRels("ppt/notesMasters/", "notesMaster1.xml",
                     [&](XmlWriter& xml, Relationships& rels) { writeNotesMaster(xml, rels); });
    for (std::size_t i = 0; i < model.slides.size(); ++i) {
        SlideModel& slide = *model.slides[i];
        const int number = static_cast<int>(i + 1);
        const std::string file = "slide" + std::to_string(number) + ".xml";
        out.partWithRels("ppt/slides/", file,
                         [&](XmlWriter& xml, Relationships& rels) { writeSlide(xml, slide, number, plan, rels); });
        if (int notes = plan.notesNumber[i]) {
            out.partWithRels("ppt/notesSlides/", "notesSlide" + std::to_string(notes) + ".xml",
                             [&](XmlWriter& xml, Relationships& rels) { writeNotesSlide(xml, slide, number, plan, rels); });
        }
    }
    writeObjectParts(sink, model);
}

}  // namespace ppt
