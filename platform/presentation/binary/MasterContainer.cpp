#include "binary/MasterContainer.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "binary/RecordTypes.h"
#include "binary/SlideContainers.h"
#include "binary/SlideShapes.h"
#include "office/package/Unicode.h"
#include "template/TemplateImport.h"

namespace ppt::binary {
namespace {

constexpr std::uint32_t kLayoutTitleBody = 0x01;
constexpr std::uint32_t kRgbColour = 0xFE000000;  // ColorIndexStruct: the bytes are red, green, blue
// Fill properties beyond those every shape writes.
constexpr std::uint16_t pFillBackColor = 0x0183, pFillBlip = 0x4186, pFillAngle = 0x018B, pFillFocus = 0x018C;
constexpr std::uint16_t pFillToLeft = 0x018D, pFillToTop = 0x018E, pFillToRight = 0x018F, pFillToBottom = 0x0190;
constexpr std::uint32_t kFillSolid = 0, kFillPicture = 3, kFillShadeShape = 6, kFillShadeScale = 7;

// 0x00BBGGRR from "RRGGBB"; fallback when the text is not a colour.
std::uint32_t colour(const std::string& hex, std::uint32_t fallback)
{
    if (hex.size() != 6 || hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return fallback;
    const auto rgb = static_cast<std::uint32_t>(std::stoul(hex, nullptr, 16));
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | (rgb >> 16);
}

std::vector<StyleLevel> defaultLevels(float size, bool bullets)
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

std::int16_t marginUnits(float points)
{
    if (!std::isfinite(points)) return 0;
    return static_cast<std::int16_t>(std::clamp(std::lround(points * kMasterUnitsPerPoint), 0L, 32767L));
}

// The template's levels over the built-in ones: what it leaves out stays,
// and a face or colour it gives carries on to the levels below.
std::vector<StyleLevel> designLevels(std::vector<StyleLevel> levels, const std::vector<TextLevelStyle>& design, FontTable& fonts)
{
    std::string face, rgb;
    for (std::size_t i = 0; i < levels.size() && i < design.size(); ++i) {
        const TextLevelStyle& given = design[i];
        StyleLevel& level = levels[i];
        if (given.size > 0) level.size = given.size;
        level.bold = given.bold.value_or(level.bold);
        level.italic = given.italic.value_or(level.italic);
        level.bullet = given.bullet.value_or(level.bullet);
        if (given.align && *given.align >= 0 && *given.align <= 3) level.align = static_cast<Align>(*given.align);
        if (given.leftMargin) level.leftMargin = marginUnits(*given.leftMargin);
        if (given.indent) level.indent = marginUnits(*given.indent);
        if (!given.font.empty()) face = given.font;
        if (!given.colour.empty()) rgb = given.colour;
        if (!face.empty()) level.font = fonts.index(office::utf8ToUtf16(face));
        if (!rgb.empty()) level.colour = kRgbColour | colour(rgb, 0);
    }
    return levels;
}

// A fill as OfficeArt properties. A gradient goes from the fill colour to
// the back colour (focus 100), its angle turning the top-to-bottom fill
// counterclockwise; a radial one is shaded from the centre to the outline.
PropertyTable fillProperties(const MasterFill& fill, const MasterDesign& design, PictureStore& pictures)
{
    PropertyTable properties;
    switch (fill.kind) {
    case MasterFill::Kind::None: properties.set(prop::fillBooleans, 0x00100000); return properties;
    case MasterFill::Kind::Solid:
        properties.set(prop::fillType, kFillSolid);
        properties.set(prop::fillColor, colour(fill.colour, 0xFFFFFF));
        break;
    case MasterFill::Kind::Gradient:
        properties.set(prop::fillType, fill.radial ? kFillShadeShape : kFillShadeScale);
        properties.set(prop::fillColor, colour(fill.colour, 0xFFFFFF));
        properties.set(pFillBackColor, colour(fill.secondColour, 0xFFFFFF));
        properties.set(pFillFocus, 100);
        if (fill.radial) {
            for (std::uint16_t edge : {pFillToLeft, pFillToTop, pFillToRight, pFillToBottom}) properties.set(edge, 0x8000);  // the centre
        } else {
            const double turn = std::fmod(std::fmod(90 - fill.angle, 360) + 360, 360);
            properties.set(pFillAngle, static_cast<std::uint32_t>(std::lround(turn * 65536)));
        }
        break;
    case MasterFill::Kind::Picture: {
        const StoredPicture& picture = design.pictures.at(static_cast<std::size_t>(fill.picture));
        if (const std::uint32_t blip = pictures.blipId(picture.bytes, picture.extension)) {
            properties.set(prop::fillType, kFillPicture);
            properties.set(pFillBlip, blip);
        } else {  // a kind of picture this format cannot hold
            properties.set(prop::fillType, kFillSolid);
            properties.set(prop::fillColor, 0xFFFFFF);
        }
        break;
    }
    }
    properties.set(prop::fillBooleans, 0x00100010);  // filled
    return properties;
}

void writeDesignShapes(DrawingWriter& drawing, const MasterDesign& design, PictureStore& pictures)
{
    for (const MasterShape& shape : design.shapes) {
        ShapeSpec shapeInfo;
        shapeInfo.box = shape.box;
        if (shape.kind == MasterShape::Kind::Picture) {
            const StoredPicture& picture = design.pictures.at(static_cast<std::size_t>(shape.fill.picture));
            const std::uint32_t blip = pictures.blipId(picture.bytes, picture.extension);
            if (!blip) continue;  // a kind of picture this format cannot hold
            shapeInfo.type = shapetype::pictureFrame;
            shapeInfo.properties.set(prop::pib, blip);
            shapeInfo.properties.set(prop::fillBooleans, 0x00100000);
        } else {
            shapeInfo.type = shape.kind == MasterShape::Kind::Ellipse ? shapetype::ellipse : shapetype::rectangle;
            shapeInfo.properties = fillProperties(shape.fill, design, pictures);
        }
        shapeInfo.properties.set(prop::lineBooleans, 0x00080000);  // no line
        drawing.shape(shapeInfo);
    }
}

}  // namespace

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

std::string mainMasterRecord(DeckContext& deck)
{
    const MasterDesign& design = deck.design;
    RecordStream out;
    {
        auto master = out.container(rt::MainMaster);
        writeSlideAtom(out, kLayoutTitleBody, 0, 0, 0);
        writeColorScheme(out, 6, deck);
        StyleLevel title;
        title.size = 44;
        writeMasterStyle(out, TextType::Title, designLevels({title}, design.title, deck.fonts));
        writeMasterStyle(out, TextType::Body, designLevels(defaultLevels(kDefaultFontSize, true), design.body, deck.fonts));
        writeMasterStyle(out, TextType::Notes, defaultLevels(12, false));
        writeMasterStyle(out, TextType::Other, defaultLevels(kDefaultFontSize, false));
        {
            DrawingWriter drawing(out, deck.drawings);
            writeDesignShapes(drawing, design, deck.pictures);
            writeShapes(drawing, deck, deck.model.master.shapes, Page::Master);
            const MasterPlaceholders& boxes = design.placeholders;
            if (boxes.title) writeMasterTextPlaceholder(drawing, deck, kMasterTitle, *boxes.title);
            if (boxes.body) writeMasterTextPlaceholder(drawing, deck, kMasterBody, *boxes.body);
            writeFooterPlaceholder(drawing, deck, PlaceholderType::Date, boxes.date.value_or(design::date));
            writeFooterPlaceholder(drawing, deck, PlaceholderType::Footer, boxes.footer.value_or(design::footer));
            writeFooterPlaceholder(drawing, deck, PlaceholderType::SlideNumber, boxes.slideNumber.value_or(design::slideNumber));
            if (design.background.kind == MasterFill::Kind::None) {
                drawing.finish(schemeColours(deck)[0]);
            } else {
                drawing.finish(fillProperties(design.background, design, deck.pictures));
            }
        }
        writeColorScheme(out, 1, deck);
    }
    return out.take();
}

}  // namespace ppt::binary
