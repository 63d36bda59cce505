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
#include "package/ObjectParts.h"
#include "package/Parts.h"

namespace ppt {
namespace {

constexpr int kCompressionLevel = 6;  // zlib's default balance of size and time
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

class PackageStream {
public:
    explicit PackageStream(office::PartSink& zip) : zip_(zip) {}

    void part(const std::string& name, const std::function<void(office::XmlWriter&)>& body)
    {
        zip_.beginEntry(name);
        office::XmlWriter xml(zip_);
        body(xml);
        xml.flush();
        zip_.endEntry();
    }

    // A part and its relationships (written as _rels/<name>.rels beside it).
    void partWithRels(const std::string& folder, const std::string& file,
                      const std::function<void(office::XmlWriter&, office::Relationships&)>& body)
    {
        office::Relationships rels;
        part(folder + file, [&](office::XmlWriter& xml) { body(xml, rels); });
        if (!rels.empty()) part(folder + "_rels/" + file + ".rels", [&](office::XmlWriter& xml) {
            xml.declaration();
            rels.write(xml);
        });
    }

private:
    office::PartSink& zip_;
};

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

// Text measured now, so that writing a slide only reads the model (the
// frames that grow with their text report their laid-out size).
void settleLayout(ShapeTree& shapes)
{
    for (auto& shape : shapes.shapes) shape->effectiveBox();
}

void writeSlideParts(PackageStream& out, PresentationModel& model, const PackagePlan& plan, std::size_t i)
{
    SlideModel& slide = *model.slides[i];
    const int number = static_cast<int>(i + 1);
    const std::string file = "slide" + std::to_string(number) + ".xml";
    out.partWithRels("ppt/slides/", file,
                     [&](office::XmlWriter& xml, office::Relationships& rels) { writeSlide(xml, slide, number, plan, rels); });
    if (int notes = plan.notesNumber[i]) {
        out.partWithRels("ppt/notesSlides/", "notesSlide" + std::to_string(notes) + ".xml",
                         [&](office::XmlWriter& xml, office::Relationships& rels) { writeNotesSlide(xml, slide, number, plan, rels); });
    }
}

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
        office::ZipWriter zip(file, kCompressionLevel);
        writePackageParts(model, options, zip);
        zip.finish();
    });
}

void writePackageParts(PresentationModel& model, const SaveOptions& options, office::PartSink& sink)
{
    PackageStream out(sink);
    for (auto& slide : model.slides) {
        settleLayout(slide->shapes);
        if (slide->notes) settleLayout(slide->notes->shapes);
    }
    const PackagePlan plan(model, options);
    const SlideBatches batches(sink);

    out.part("[Content_Types].xml", [&](office::XmlWriter& xml) { writeContentTypes(xml, plan); });
    out.part("_rels/.rels", [&](office::XmlWriter& xml) { writeRootRelationships(xml); });
    out.part("docProps/core.xml", [&](office::XmlWriter& xml) { writeCoreProperties(xml, plan); });
    out.part("docProps/app.xml", [&](office::XmlWriter& xml) { writeAppProperties(xml, plan); });
    out.partWithRels("ppt/", "presentation.xml", [&](office::XmlWriter& xml, office::Relationships& rels) { writePresentation(xml, plan, rels); });
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
        sink.addBatch([&model, &plan, first, last](office::PartSink& into) {
            PackageStream slides(into);
            for (std::size_t i = first; i < last; ++i) writeSlideParts(slides, model, plan, i);
        });
    }
    writeObjectParts(sink, model);
    sink.writeBatches();
}

}  // namespace ppt
