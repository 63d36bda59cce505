#include "binary/PowerPointWriter.h"

#include <algorithm>
#include <map>
#include <variant>

#include "binary/CompoundFile.h"
#include "binary/DocumentContainer.h"
#include "binary/FormatLimit.h"
#include "binary/MasterContainer.h"
#include "office/package/AtomicFile.h"
#include "package/PackageWriter.h"
#include "binary/RecordTypes.h"
#include "binary/SlideContainers.h"
#include "binary/SummaryInfo.h"
#include "com/ComString.h"
#include "com/ComError.h"
#include "com/ErrorInfo.h"

namespace ppt {
namespace binary {
namespace {

constexpr std::uint32_t kMaxPersistRun = 0xFFF;  // cPersist is 12 bits
constexpr std::uint32_t kMasterDrawings = 2;      // the slide master's and the notes master's

// A notes page is written only where it shows something: each one takes a
// drawing id, of which the format has few, and a slide may have none.
bool hasNotes(const SlideModel& slide)
{
    if (!slide.notes) return false;
    for (const auto& shape : slide.notes->shapes.shapes)
        if (!std::holds_alternative<PlaceholderShape>(shape->kind) || (shape->text && shape->text->length() > 0)) return true;
    return false;
}

std::string grouped(std::size_t n)
{
    std::string digits = std::to_string(n);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<std::size_t>(at), ",");
    return digits;
}

// Before anything is built: the pages against the drawing ids there are.
void checkPageCount(const PresentationModel& model)
{
    const std::size_t notes = static_cast<std::size_t>(std::count_if(
        model.slides.begin(), model.slides.end(), [](const auto& slide) { return hasNotes(*slide); }));
    const std::size_t pages = model.slides.size() + notes;
    constexpr std::size_t kMaxPages = DrawingIds::kMaxDrawings - kMasterDrawings;
    if (pages > kMaxPages)
        throw FormatLimit("the presentation has " + grouped(model.slides.size()) + " slides and " + grouped(notes) +
                          " notes pages, and a .ppt file holds at most " + grouped(kMaxPages) +
                          " slides and notes pages together");
}

// The persist objects in stream order, and where each starts.
class DocumentStream {
public:
    // The records' total size, so the stream grows once.
    void reserve(std::size_t size) { out_.reserve(size); }

    void add(std::uint32_t persistId, const std::string& record)
    {
        offsets_[persistId] = static_cast<std::uint32_t>(out_.size());
        out_.raw(record);
    }

    // Persist directory and user edit; returns the user edit's offset.
    std::uint32_t finish(std::uint32_t lastSlideId)
    {
        const auto directoryAt = static_cast<std::uint32_t>(out_.size());
        {
            auto directory = out_.atom(rt::PersistDirectoryAtom);
            auto it = offsets_.begin();
            while (it != offsets_.end()) {
                // A run of consecutive ids.
                auto end = std::next(it);
                std::uint32_t count = 1;
                while (end != offsets_.end() && end->first == it->first + count && count < kMaxPersistRun) {
                    ++end;
                    ++count;
                }
                out_.u32(it->first | (count << 20));
                for (; it != end; ++it) out_.u32(it->second);
            }
        }
        const auto editAt = static_cast<std::uint32_t>(out_.size());
        {
            auto edit = out_.atom(rt::UserEditAtom);
            out_.u32(lastSlideId);
            out_.u16(0);  // version
            out_.u8(0);   // minor
            out_.u8(3);   // major
            out_.u32(0);  // no earlier edit
            out_.u32(directoryAt);
            out_.u32(kDocumentPersistId);
            out_.u32(offsets_.rbegin()->first);  // persistIdSeed
            out_.u16(1);                         // last view: slides
            out_.u16(0);
        }
        return editAt;
    }

    const std::string& bytes() const { return out_.bytes(); }
    std::size_t size() const { return out_.size(); }

private:
    RecordStream out_;
    std::map<std::uint32_t, std::uint32_t> offsets_;
};

std::string currentUser(std::uint32_t editOffset)
{
    const std::string user = "Orvel";
    RecordStream out;
    {
        auto atom = out.atom(rt::CurrentUserAtom);
        out.u32(0x14);
        out.u32(0xE391C05F);  // not encrypted
        out.u32(editOffset);
        out.u16(static_cast<std::uint16_t>(user.size()));
        out.u16(0x03F4);
        out.u8(3);
        out.u8(0);
        out.u16(0);
        out.raw(user);
        out.u32(8);  // relVersion
        out.utf16(std::u16string(user.begin(), user.end()));
    }
    return out.take();
}

CompoundFileBytes buildFile(PresentationModel& model)
{
    checkPageCount(model);
    DeckContext deck(model);
    // Drawings are numbered in the order they are written; the document,
    // which lists them all, comes last but stands first in the stream.
    const std::string master = mainMasterRecord(deck);
    const std::string notesMaster = notesMasterRecord(deck);

    std::uint32_t notesIdBase = 0;
    for (const auto& slide : model.slides) notesIdBase = std::max(notesIdBase, static_cast<std::uint32_t>(slide->id));
    std::vector<ListedSlide> listed;
    std::vector<std::pair<std::uint32_t, std::string>> pages;
    for (std::size_t i = 0; i < model.slides.size(); ++i) {
        SlideModel& slide = *model.slides[i];
        ListedSlide entry{deck.nextPersistId++, static_cast<std::uint32_t>(slide.id), 0, 0};
        const bool notes = hasNotes(slide);
        if (notes) {
            entry.notesPersistId = deck.nextPersistId++;
            entry.notesId = notesIdBase + 1 + static_cast<std::uint32_t>(i);
        }
        pages.emplace_back(entry.persistId, slideRecord(deck, slide, entry.notesId));
        if (notes) pages.emplace_back(entry.notesPersistId, notesRecord(deck, slide));
        listed.push_back(entry);
    }
    const std::string document = documentRecord(deck, listed);

    std::size_t total = document.size() + master.size() + notesMaster.size();
    for (const auto& [id, record] : pages) total += record.size();
    for (const auto& [id, record] : deck.storages) total += record.size();
    DocumentStream stream;
    stream.reserve(total + 1024);  // and the persist directory, about 8 bytes a page
    stream.add(kDocumentPersistId, document);
    stream.add(kMainMasterPersistId, master);
    stream.add(kNotesMasterPersistId, notesMaster);
    for (auto& [id, record] : pages) {
        stream.add(id, record);
        std::string().swap(record);  // a page's record is not needed twice
    }
    for (const auto& [id, record] : deck.storages) stream.add(id, record);
    const std::uint32_t editAt = stream.finish(listed.empty() ? 0 : listed.front().slideId);
    if (stream.size() > 0xFFFFFFFFu) throw FormatLimit("the presentation is larger than the 4 GB a .ppt file holds");

    const std::string user = currentUser(editAt);
    std::string title = com::utf16ToUtf8(model.name);
    if (const auto dot = title.rfind('.'); dot != std::string::npos && dot > 0) title.erase(dot);
    const std::string summary = summaryInformation(title);
    std::vector<StreamEntry> streams{{"\x05SummaryInformation", summary}, {"Current User", user},
                                     {"PowerPoint Document", stream.bytes()}};
    if (!deck.pictures.empty()) streams.push_back({"Pictures", deck.pictures.stream()});
    return makeCompoundFile(streams);
}

}  // namespace
}  // namespace binary

std::string powerPointBinaryBytes(PresentationModel& model) { return std::string(binary::buildFile(model).bytes()); }

void writePowerPointBinary(PresentationModel& model, const std::string& nativePath, bool replace)
{
    // The whole file is made before the target is touched: a deck the format
    // cannot hold fails with nothing written, not even a temporary file.
    const std::string what = "Presentation.SaveAs : cannot write \"" + nativePath + "\"";
    const binary::CompoundFileBytes file = com::guardMember(what, [&] {
        try {
            return binary::buildFile(model);
        } catch (const binary::FormatLimit& e) {
            com::throwComError(HR_FILE_TOO_LARGE,
                               what + ": " + e.what() + ". Saved under a .pptx name it can have any size.");
        }
    });
    const std::string_view bytes = file.bytes();
    saveAtomically(nativePath, replace, [&](office::AtomicFile& out) { out.write(bytes.data(), bytes.size()); });
}

}  // namespace ppt
