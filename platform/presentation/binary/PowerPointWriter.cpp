#include "binary/PowerPointWriter.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <string_view>

#include "binary/CompoundFile.h"
#include "binary/DocumentContainer.h"
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

// The persist objects in stream order, and where each starts.
class DocumentStream {
public:
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

std::string buildFile(PresentationModel& model)
{
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
        if (slide.notes) {
            entry.notesPersistId = deck.nextPersistId++;
            entry.notesId = notesIdBase + 1 + static_cast<std::uint32_t>(i);
        }
        pages.emplace_back(entry.persistId, slideRecord(deck, slide, entry.notesId));
        if (slide.notes) pages.emplace_back(entry.notesPersistId, notesRecord(deck, slide));
        listed.push_back(entry);
    }
    const std::string document = documentRecord(deck, listed);

    DocumentStream stream;
    stream.add(kDocumentPersistId, document);
    stream.add(kMainMasterPersistId, master);
    stream.add(kNotesMasterPersistId, notesMaster);
    for (const auto& [id, record] : pages) stream.add(id, record);
    for (const auto& [id, record] : deck.storages) stream.add(id, record);
    const std::uint32_t editAt = stream.finish(listed.empty() ? 0 : listed.front().slideId);
    if (stream.size() > 0xFFFFFFFFu) throw std::length_error("the presentation is larger than a .ppt file can hold (4 GB)");

    const std::string user = currentUser(editAt);
    std::string title = com::utf16ToUtf8(model.name);
    if (const auto dot = title.rfind('.'); dot != std::string::npos && dot > 0) title.erase(dot);
    const std::string summary = summaryInformation(title);
    std::vector<StreamEntry> streams{{"\x05SummaryInformation", summary}, {"Current User", user},
                                     {"PowerPoint Document", stream.bytes()}};
    if (!deck.pictures.empty()) streams.push_back({"Pictures", deck.pictures.stream()});
    return buildCompoundFile(streams);
}

}  // namespace
}  // namespace binary

std::string powerPointBinaryBytes(PresentationModel& model) { return binary::buildFile(model); }

void writePowerPointBinary(PresentationModel& model, const std::string& nativePath, bool replace)
{
    saveAtomically(nativePath, replace, [&](office::AtomicFile& file) {
        const std::string bytes = binary::buildFile(model);
        file.write(bytes.data(), bytes.size());
    });
}

bool isBinaryPresentationName(const std::string& path)
{
    std::string extension = path.size() >= 4 ? path.substr(path.size() - 4) : std::string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".ppt" || extension == ".pps" || extension == ".pot";
}

}  // namespace ppt
