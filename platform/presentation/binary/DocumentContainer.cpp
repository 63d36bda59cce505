#include "binary/DocumentContainer.h"

#include "binary/RecordTypes.h"
#include "binary/SlideContainers.h"
#include "binary/TextRecords.h"

namespace ppt::binary {
namespace {

std::int32_t slideUnits(float points) { return static_cast<std::int32_t>(points * kMasterUnitsPerPoint); }

void writeDocumentAtom(RecordStream& out, const PresentationModel& model)
{
    auto atom = out.atom(rt::DocumentAtom, 0, 1);
    out.i32(slideUnits(design::slideWidth));
    out.i32(slideUnits(design::slideHeight));
    out.i32(slideUnits(design::notesWidth));
    out.i32(slideUnits(design::notesHeight));
    out.i32(1);  // server zoom 1:2
    out.i32(2);
    out.u32(kNotesMasterPersistId);
    out.u32(0);  // no handout master
    out.u16(1);  // first slide number
    out.u16(0);  // on-screen show (4:3)
    out.u8(model.embedFonts ? 1 : 0);
    out.u8(0);
    out.u8(0);
    out.u8(1);  // show comments
}

void writeEnvironment(RecordStream& out, DeckContext& deck)
{
    auto environment = out.container(rt::Environment);
    deck.fonts.write(out);
    writeTextDefaults(out);
    StyleLevel other;
    other.size = kDefaultFontSize;
    writeMasterStyle(out, TextType::Other, std::vector<StyleLevel>(5, other));
}

void writeDrawingGroup(RecordStream& out, const DeckContext& deck)
{
    auto group = out.container(rt::DrawingGroup);
    auto dgg = out.container(rt::DggContainer);
    deck.drawings.writeFDGGBlock(out);
    deck.pictures.writeBStore(out);
}

void writePersistAtom(RecordStream& out, std::uint32_t persistId, std::uint32_t id)
{
    auto atom = out.atom(rt::SlidePersistAtom);
    out.u32(persistId);
    out.u32(0);  // flags
    out.u32(0);  // no placeholder texts follow
    out.u32(id);
    out.u32(0);
}

}  // namespace

std::string documentRecord(DeckContext& deck, const std::vector<ListedSlide>& slides)
{
    RecordStream out;
    {
        auto document = out.container(rt::Document);
        writeDocumentAtom(out, deck.model);
        deck.objects.write(out);
        writeEnvironment(out, deck);
        writeDrawingGroup(out, deck);
        {
            auto masters = out.container(rt::SlideListWithText, 1);
            writePersistAtom(out, kMainMasterPersistId, kMainMasterId);
        }
        writeHeadersFooters(out, 3, deck.model.master.headersFooters);
        if (!slides.empty()) {
            auto list = out.container(rt::SlideListWithText, 0);
            for (const ListedSlide& slide : slides) writePersistAtom(out, slide.persistId, slide.slideId);
        }
        bool anyNotes = false;
        for (const ListedSlide& slide : slides) anyNotes = anyNotes || slide.notesPersistId;
        if (anyNotes) {
            auto list = out.container(rt::SlideListWithText, 2);
            for (const ListedSlide& slide : slides)
                if (slide.notesPersistId) writePersistAtom(out, slide.notesPersistId, slide.notesId);
        }
        out.atom(rt::EndDocumentAtom, 0, 0, {});
    }
    return out.take();
}

}  // namespace ppt::binary
