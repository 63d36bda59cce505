#include "package/PackageWriter.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <string_view>

#include "com/ErrorInfo.h"
#include "office/package/AtomicFile.h"
#include "office/package/ZipWriter.h"
#include "package/DesignImport.h"
#include "package/FinishedSlides.h"
#include "package/ObjectParts.h"
#include "package/PackageStream.h"
#include "package/Parts.h"

namespace ppt {
namespace {

// Slides (with their notes) made and deflated as one job on a worker: few
// enough jobs that handing them out costs little, small enough to share out.
constexpr std::size_t kSlidesPerBatch = 8;

// The COM error for a file operation that failed.
[[noreturn]] void throwFileError(const office::FileError& e)
{
    const int error = e.code().value();
    const std::string cannot = "Presentation.SaveAs : cannot " + e.doing() + " \"" + e.path() + "\": ";
    if (error == EEXIST) com::throwComError(HR_FILE_EXISTS, "Presentation.SaveAs : \"" + e.path() + "\" exists already.");
    if (!e.reason().empty()) com::throwComError(E_ACCESSDENIED, cannot + e.reason() + ".");
    const std::string cause = std::strerror(error);
    switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        com::throwComError(HR_PATH_NOT_FOUND, cannot + "the folder does not exist (" + cause + ").");
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        com::throwComError(E_ACCESSDENIED, cannot + "access is denied (" + cause + ").");
    case ENOSPC:
    case EDQUOT:
        com::throwComError(HR_DISK_FULL, cannot + "the disk is full (" + cause + ").");
    case ENOMEM:
        com::throwComError(E_OUTOFMEMORY, cannot + "out of memory.");
    default:
        com::throwComError(E_FAIL, cannot + cause + ".");
    }
}

// Slide batches refer to the plan: each is written before the plan goes, or
// dropped when the save fails.
class SlideBatches {
public:
    explicit SlideBatches(office::PartSink& sink) : sink_(sink) {}
    SlideBatches(const SlideBatches&) = delete;
    SlideBatches& operator=(const SlideBatches&) = delete;
    ~SlideBatches() { sink_.dropBatches(); }

private:
    office::PartSink& sink_;
};

}  // namespace

void saveAtomically(const std::string& nativePath, bool replace, const std::function<void(office::AtomicFile&)>& fill)
{
    // Whatever goes wrong is told with the file's name.
    const std::string what = "Presentation.SaveAs : cannot write \"" + nativePath + "\"";
    try {
        com::guardMember(what, [&] {
            try {
                office::AtomicFile file(nativePath, replace);
                fill(file);
                file.commit();
            } catch (const office::FileError& e) {
                throwFileError(e);
            }
        });
    } catch (const ComError& e) {
        if (e.Description().find(nativePath) != std::string::npos) throw;
        std::string reason = e.Description();
        constexpr std::string_view member = "Presentation.SaveAs : ";
        if (reason.starts_with(member)) reason.erase(0, member.size());
        throw ComError(e.Error(), what + ": " + reason);
    }
}

void writePresentationPackage(PresentationModel& model, const std::string& nativePath, const SaveOptions& options)
{
    saveAtomically(nativePath, options.replace, [&](office::AtomicFile& file) {
        office::ZipWriter zip(file, kPackageCompressionLevel);
        writePackageParts(model, options, zip);
        zip.finish();
    });
}

void writePackageParts(PresentationModel& model, const SaveOptions& options, office::PartSink& sink)
{
    PackageStream out(sink);
    // Slides made early are used only where they still stand as made.
    const FinishedSlides* early = settleFinishedSlides(model);
    for (auto& slide : model.slides) settleSlideLayout(*slide);
    const PackagePlan plan(model, options);
    const SlideBatches batches(sink);

    // The parts that list every slide are long: made on the workers too.
    sink.addBatch([&plan](office::PartSink& into) {
        PackageStream(into).part("[Content_Types].xml", [&](office::XmlWriter& xml) { writeContentTypes(xml, plan); });
    });
    out.part("_rels/.rels", [&](office::XmlWriter& xml) { writeRootRelationships(xml); });
    out.part("docProps/core.xml", [&](office::XmlWriter& xml) { writeCoreProperties(xml, plan); });
    sink.addBatch([&plan](office::PartSink& into) {
        PackageStream parts(into);
        parts.part("docProps/app.xml", [&](office::XmlWriter& xml) { writeAppProperties(xml, plan); });
        parts.partWithRels("ppt/", "presentation.xml",
                           [&](office::XmlWriter& xml, office::Relationships& rels) { writePresentation(xml, plan, rels); });
    });
    out.part("ppt/presProps.xml", [&](office::XmlWriter& xml) { writePresProps(xml); });
    out.part("ppt/viewProps.xml", [&](office::XmlWriter& xml) { writeViewProps(xml); });
    out.part("ppt/tableStyles.xml", [&](office::XmlWriter& xml) { writeTableStyles(xml); });
    if (model.design) {
        writeImportedDesign(sink, *model.design);
    } else {
        out.partWithRels("ppt/slideMasters/", "slideMaster1.xml", [&](office::XmlWriter& xml, office::Relationships& rels) {
            writeSlideMaster(xml, model, plan.slides, rels);
        });
        out.partWithRels("ppt/slideLayouts/", "slideLayout1.xml",
                         [&](office::XmlWriter& xml, office::Relationships& rels) { writeSlideLayout(xml, rels); });
        out.part("ppt/theme/theme1.xml", [&](office::XmlWriter& xml) { writeTheme(xml, "Plain"); });
    }
    out.part("ppt/theme/theme2.xml", [&](office::XmlWriter& xml) { writeTheme(xml, "Plain Notes"); });
    out.partWithRels("ppt/notesMasters/", "notesMaster1.xml",
                     [&](office::XmlWriter& xml, office::Relationships& rels) { writeNotesMaster(xml, rels); });
    for (std::size_t first = 0; first < model.slides.size(); first += kSlidesPerBatch) {
        const std::size_t last = std::min(model.slides.size(), first + kSlidesPerBatch);
        sink.addBatch([&model, &plan, early, first, last](office::PartSink& into) {
            for (std::size_t i = first; i < last; ++i) {
                SlideModel& slide = *model.slides[i];
                const SlidePlace place = plan.place(i);
                if (!early || !early->addMade(slide, place, into)) writeSlideParts(into, slide, place);
            }
        });
    }
    writeObjectParts(sink, model);
    sink.writeBatches();
}

}  // namespace ppt
