#include "binary/SlideContainers.h"

#include <algorithm>

#include "binary/MasterContainer.h"
#include "binary/RecordTypes.h"
#include "binary/SlideShapes.h"

namespace ppt::binary {
namespace {

constexpr std::uint32_t kLayoutBlank = 0x10;
constexpr std::uint16_t kFollowMaster = 0x7;  // master objects, scheme and background
constexpr std::uint8_t kMasterNotesSlideImage = 0x05, kMasterNotesBody = 0x06;

void writeNotesAtom(RecordStream& out, std::uint32_t slideId, std::uint16_t flags)
{
    auto atom = out.atom(rt::NotesAtom, 0, 1);
    out.u32(slideId);
    out.u16(flags);
    out.u16(0);
}

}  // namespace

void writeSlideAtom(RecordStream& out, std::uint32_t layout, std::uint32_t masterId, std::uint32_t notesId, std::uint16_t flags)
{
    auto atom = out.atom(rt::SlideAtom, 0, 2);
    out.u32(layout);
    out.zeros(8);  // no placeholders in the layout
    out.u32(masterId);
    out.u32(notesId);
    out.u16(flags);
    out.u16(0);
}

void writeHeadersFooters(RecordStream& out, std::uint16_t instance, const HeaderFooterSet& set)
{
    auto container = out.container(rt::HeadersFooters, instance);
    const bool userDate = set.dateAndTime.visible && !set.dateAndTime.useFormat;
    {
        auto atom = out.atom(rt::HeadersFootersAtom);
        out.i16(static_cast<std::int16_t>(std::clamp(set.dateAndTime.format, 1, 13) - 1));
        std::uint16_t flags = 0;
        if (set.dateAndTime.visible) flags |= userDate ? 0x1 | 0x4 : 0x1 | 0x2;
        if (set.slideNumber.visible) flags |= 0x8;
        if (set.footer.visible) flags |= 0x20;
        out.u16(flags);
    }
    if (userDate && !set.dateAndTime.text.empty()) writeCString(out, 0, set.dateAndTime.text);
    if (!set.footer.text.empty()) writeCString(out, 2, set.footer.text);
}

std::string notesMasterRecord(DeckContext& deck)
{
    RecordStream out;
    {
        auto notes = out.container(rt::Notes);
        writeNotesAtom(out, 0, 0);
        {
            DrawingWriter drawing(out, deck.drawings);
            ShapeSpec image;
            image.box = design::notesSlideImage;
            image.placeholder = kMasterNotesSlideImage;
            drawing.shape(image);
            ShapeSpec body;
            body.box = design::notesBody;
            body.placeholder = kMasterNotesBody;
            body.properties.set(prop::fillBooleans, 0x00100000);
            body.properties.set(prop::lineBooleans, 0x00080000);
            body.text = [&deck](RecordStream& text) {
                writeTextAtoms(text, TextBody(), TextType::Notes, deck.fonts, [](std::uint32_t) { return LinkAction{}; });
            };
            drawing.shape(body);
            drawing.finish(schemeColours(deck)[0]);
        }
        writeColorScheme(out, 1, deck);
    }
    return out.take();
}

std::string slideRecord(DeckContext& deck, SlideModel& slide, std::uint32_t notesId)
{
    RecordStream out;
    {
        auto container = out.container(rt::Slide);
        writeSlideAtom(out, kLayoutBlank, kMainMasterId, notesId, kFollowMaster);
        writeHeadersFooters(out, 0, slide.headersFooters);
        {
            DrawingWriter drawing(out, deck.drawings);
            writeShapes(drawing, deck, slide.shapes, Page::Slide);
            drawing.finish(std::nullopt);
        }
        writeColorScheme(out, 1, deck);
    }
    return out.take();
}

std::string notesRecord(DeckContext& deck, SlideModel& slide)
{
    RecordStream out;
    {
        auto container = out.container(rt::Notes);
        writeNotesAtom(out, static_cast<std::uint32_t>(slide.id), kFollowMaster);
        {
            DrawingWriter drawing(out, deck.drawings);
            writeShapes(drawing, deck, slide.notesPage().shapes, Page::Notes);
            drawing.finish(std::nullopt);
        }
        writeColorScheme(out, 1, deck);
    }
    return out.take();
}

}  // namespace ppt::binary
