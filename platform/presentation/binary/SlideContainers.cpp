#include "binary/SlideContainers.h"

#include <algorithm>
#include <array>

#include "binary/RecordTypes.h"
#include "binary/SlideShapes.h"
#include "template/TemplateImport.h"

namespace ppt::binary {
namespace {

constexpr std::uint32_t kLayoutTitleBody = 0x01, kLayoutBlank = 0x10;
constexpr std::uint16_t kFollowMaster = 0x7;  // master objects, scheme and background
constexpr std::uint8_t kMasterNotesSlideImage = 0x05, kMasterNotesBody = 0x06;

// 0x00BBGGRR from "RRGGBB"; fallback when the text is not a colour.
std::uint32_t colour(const std::string& hex, std::uint32_t fallback)
{
    if (hex.size() != 6 || hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return fallback;
    const auto rgb = static_cast<std::uint32_t>(std::stoul(hex, nullptr, 16));
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | (rgb >> 16);
}

// Background, text, shadow, title, fill, accent, hyperlink, followed hyperlink.
std::array<std::uint32_t, 8> schemeColours(const DeckContext& deck)
{
    std::array<std::uint32_t, 8> scheme{0xFFFFFF, 0x000000, 0x808080, 0x000000, 0xBD814F, 0x4D50C0, 0xFF0000, 0x800080};
    if (const auto& design = deck.model.design) {
        auto theme = [&](const char* name, std::uint32_t fallback) {
            auto it = design->themeColours.find(name);
            return it == design->themeColours.end() ? fallback : colour(it->second, fallback);
        };
        scheme = {theme("lt1", scheme[0]),     theme("dk1", scheme[1]),     theme("dk2", scheme[2]),
                  theme("dk1", scheme[3]),     theme("accent1", scheme[4]), theme("accent2", scheme[5]),
                  theme("hlink", scheme[6]),   theme("folHlink", scheme[7])};
        scheme[0] = colour(design->masterBackgroundColour, scheme[0]);
    }
    return scheme;
}

void writeColorScheme(RecordStream& out, std::uint16_t instance, const DeckContext& deck)
{
    auto atom = out.atom(rt::ColorSchemeAtom, instance);
    for (std::uint32_t c : schemeColours(deck)) out.u32(c);
}

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

void writeNotesAtom(RecordStream& out, std::uint32_t slideId, std::uint16_t flags)
{
    auto atom = out.atom(rt::NotesAtom, 0, 1);
    out.u32(slideId);
    out.u16(flags);
    out.u16(0);
}

std::vector<StyleLevel> levels(float size, bool bullets)
{
    std::vector<StyleLevel> result;
    const float sizes[] = {size, size * 7 / 8, size * 3 / 4, size * 5 / 8, size * 5 / 8};
    for (int i = 0; i < 5; ++i) {
        StyleLevel level;
        level.size = sizes[i];
        level.bullet = bullets;
        level.indent = static_cast<std::int16_t>(i * 36 * kMasterUnitsPerPoint);
        level.leftMargin = static_cast<std::int16_t>(level.indent + (bullets ? 27 * kMasterUnitsPerPoint : 0));
        result.push_back(level);
    }
    return result;
}

}  // namespace

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

std::string mainMasterRecord(DeckContext& deck)
{
    RecordStream out;
    {
        auto master = out.container(rt::MainMaster);
        writeSlideAtom(out, kLayoutTitleBody, 0, 0, 0);
        writeColorScheme(out, 6, deck);
        StyleLevel title;
        title.size = 44;
        writeMasterStyle(out, TextType::Title, {title});
        writeMasterStyle(out, TextType::Body, levels(kDefaultFontSize, true));
        writeMasterStyle(out, TextType::Notes, levels(12, false));
        writeMasterStyle(out, TextType::Other, levels(kDefaultFontSize, false));
        {
            DrawingWriter drawing(out, deck.drawings);
            writeShapes(drawing, deck, deck.model.master.shapes, Page::Master);
            for (PlaceholderType type : {PlaceholderType::Date, PlaceholderType::Footer, PlaceholderType::SlideNumber})
                writeFooterPlaceholder(drawing, deck, type);
            drawing.finish(schemeColours(deck)[0]);
        }
        writeColorScheme(out, 1, deck);
    }
    return out.take();
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
