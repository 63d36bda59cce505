#include "binary/MasterDesignReader.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <utility>

#include "binary/BlipReader.h"
#include "binary/DocumentFacts.h"
#include "binary/PersistDirectory.h"
#include "binary/ShapeFacts.h"
#include "binary/RecordTypes.h"
#include "office/package/Unicode.h"

namespace ppt::binary {
namespace {

constexpr std::uint16_t kSlideSchemeInstance = 1;
constexpr std::uint16_t kMasterHeadersFooters = 3, kMasterList = 1;
constexpr std::uint16_t kTertiaryFOPT = 0xF122;
// Fill properties of OfficeArt shapes.
constexpr std::uint32_t fUseFilled = 0x100000, fFilled = 0x10;
// Master placeholder kinds.
constexpr std::uint8_t phTitle = 1, phBody = 2, phCenterTitle = 3, phDate = 7, phSlideNumber = 8, phFooter = 9;

std::string rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", r, g, b);
    return text;
}

class Reader {
public:
    Reader(std::string_view document, std::string_view currentUser, std::string_view pictures)
        : persist_(document, currentUser), pictures_(pictures)
    {
    }

    MasterDesign run()
    {
        DocumentFacts facts = readDocumentFacts(persist_);
        const Record& document = facts.document;
        if (facts.slideSize) {
            design_.slideWidth = facts.slideSize->width;
            design_.slideHeight = facts.slideSize->height;
        }
        fonts_ = std::move(facts.fonts);
        bstore_ = facts.pictureStore;
        if (auto footers = childOf(document, rt::HeadersFooters, kMasterHeadersFooters)) readFooters(*footers);
        readMaster(mainMaster(document));
        return std::move(design_);
    }

private:
    void readFooters(const Record& container)
    {
        ByteReader in = requiredChild(container, rt::HeadersFootersAtom, "headers and footers atom").reader();
        in.skip(2);  // date format
        const std::uint16_t flags = in.u16();
        MasterFooters& footers = design_.footers;
        footers.date = flags & 0x1;
        footers.slideNumber = flags & 0x8;
        footers.footer = flags & 0x20;
        for (const Record& text : childrenOf(container)) {
            if (text.type != rt::CString) continue;
            if (text.instance == 2) footers.footerText = utf8(text.body);
            if (text.instance == 0 && (flags & 0x4)) footers.dateText = utf8(text.body);
        }
    }

    static std::string utf8(std::string_view utf16le)
    {
        ByteReader in(utf16le);
        std::u16string text;
        while (in.remaining() >= 2) text += static_cast<char16_t>(in.u16());
        return office::utf16ToUtf8(text);
    }

    // The first main master of the master list (title masters are slides).
    Record mainMaster(const Record& document)
    {
        const auto list = childOf(document, rt::SlideListWithText, kMasterList);
        if (!list) throw FormatError("the document lists no slide master");
        for (const Record& entry : childrenOf(*list)) {
            if (entry.type != rt::SlidePersistAtom) continue;
            const Record master = persist_.object(entry.reader().u32());
            if (master.type == rt::MainMaster) return master;
        }
        throw FormatError("the document lists no main master");
    }

    void readMaster(const Record& master)
    {
        // The scheme first: colours of the styles and shapes may refer to it.
        if (auto scheme = childOf(master, rt::ColorSchemeAtom, kSlideSchemeInstance)) {
            ByteReader in = scheme->reader();
            for (std::string& colour : design_.scheme) {
                const std::string_view c = in.take(4);
                colour = rgb(static_cast<std::uint8_t>(c[0]), static_cast<std::uint8_t>(c[1]), static_cast<std::uint8_t>(c[2]));
            }
        }
        for (const Record& child : childrenOf(master)) {
            if (child.type != rt::TextMasterStyleAtom) continue;
            if (child.instance == static_cast<std::uint16_t>(TextType::Title) && design_.title.empty()) design_.title = readStyle(child);
            if (child.instance == static_cast<std::uint16_t>(TextType::Body) && design_.body.empty()) design_.body = readStyle(child);
        }
        if (auto drawing = childOf(master, rt::Drawing))
            if (auto dg = childOf(*drawing, rt::DgContainer)) readDrawing(*dg);
    }

    // Colours of text (ColorIndexStruct): an RGB value or a scheme index.
    std::string textColour(ByteReader& in) const
    {
        const std::uint8_t r = in.u8(), g = in.u8(), b = in.u8(), index = in.u8();
        if (index == 0xFE) return rgb(r, g, b);
        return index < design_.scheme.size() ? design_.scheme[index] : std::string();
    }

    std::vector<TextLevelStyle> readStyle(const Record& atom)
    {
        ByteReader in = atom.reader();
        const std::uint16_t levels = in.u16();
        if (levels > 5) throw FormatError(atom.name() + " has " + std::to_string(levels) + " style levels (at most 5)");
        std::vector<TextLevelStyle> result(levels);
        for (TextLevelStyle& level : result) {
            if (atom.instance >= 5) in.skip(2);  // the level it styles
            readParagraphStyle(in, level);
            readCharacterStyle(in, level);
        }
        return result;
    }

    static float points(std::int16_t masterUnits) { return static_cast<float>(masterUnits) / kMasterUnitsPerPoint; }

    void readParagraphStyle(ByteReader& in, TextLevelStyle& level) const
    {
        const std::uint32_t m = in.u32();
        if (m & 0xF) {
            const std::uint16_t flags = in.u16();
            if (m & 0x1) level.bullet = (flags & 0x1) != 0;
        }
        if (m & 0x80) in.skip(2);   // bullet character
        if (m & 0x10) in.skip(2);   // bullet font
        if (m & 0x40) in.skip(2);   // bullet size
        if (m & 0x20) in.skip(4);   // bullet colour
        if (m & 0x800) level.align = in.u16();
        if (m & 0x1000) in.skip(2);  // line spacing
        if (m & 0x2000) in.skip(2);  // space before
        if (m & 0x4000) in.skip(2);  // space after
        if (m & 0x100) level.leftMargin = points(in.i16());
        if (m & 0x400) level.indent = points(in.i16());
        if (m & 0x8000) in.skip(2);  // default tab size
        if (m & 0x100000) in.skip(4 * std::size_t{in.u16()});  // tab stops
        if (m & 0x10000) in.skip(2);  // font alignment
        if (m & 0xE0000) in.skip(2);  // wrap flags
        if (m & 0x200000) in.skip(2);  // text direction
    }

    void readCharacterStyle(ByteReader& in, TextLevelStyle& level) const
    {
        const std::uint32_t m = in.u32();
        if (m & 0x3EB7) {  // bold, italic, underline, shadow, fehint, kumi, emboss, style
            const std::uint16_t style = in.u16();
            if (m & 0x1) level.bold = (style & 0x1) != 0;
            if (m & 0x2) level.italic = (style & 0x2) != 0;
        }
        if (m & 0x10000) {
            const std::uint16_t font = in.u16();
            if (font < fonts_.size()) level.font = fonts_[font];
        }
        if (m & 0x200000) in.skip(2);  // East Asian font
        if (m & 0x400000) in.skip(2);  // ANSI font
        if (m & 0x800000) in.skip(2);  // symbol font
        if (m & 0x20000) level.size = in.u16();
        if (m & 0x40000) level.colour = textColour(in);
        if (m & 0x80000) in.skip(2);  // position
    }

    // OfficeArtCOLORREF: RGB, or an index into the master's scheme.
    std::string shapeColour(std::uint32_t value) const
    {
        const auto r = static_cast<std::uint8_t>(value), g = static_cast<std::uint8_t>(value >> 8),
                   b = static_cast<std::uint8_t>(value >> 16), flags = static_cast<std::uint8_t>(value >> 24);
        if (flags & 0x08) return r < design_.scheme.size() ? design_.scheme[r] : std::string();
        if (flags & 0x17) return "";  // palette and system colours: not known here
        return rgb(r, g, b);
    }

    static std::map<std::uint16_t, std::uint32_t> properties(const Record& shape)
    {
        std::map<std::uint16_t, std::uint32_t> result;
        for (const Record& child : childrenOf(shape)) {
            if (child.type != rt::FOPT && child.type != kTertiaryFOPT) continue;
            ByteReader in = child.reader();
            for (std::uint16_t i = 0; i < child.instance; ++i) {
                const std::uint16_t id = in.u16() & 0x3FFF;
                result.emplace(id, in.u32());
            }
        }
        return result;
    }

    MasterFill fillOf(const std::map<std::uint16_t, std::uint32_t>& props)
    {
        MasterFill fill;
        auto value = [&](std::uint16_t id, std::uint32_t fallback) {
            auto it = props.find(id);
            return it == props.end() ? fallback : it->second;
        };
        const std::uint32_t booleans = value(propid::fillBooleans, fUseFilled | fFilled);
        if ((booleans & fUseFilled) && !(booleans & fFilled)) return fill;
        const std::uint32_t type = value(propid::fillType, 0);
        fill.colour = shapeColour(value(propid::fillColor, 0xFFFFFF));
        if (type == 0 || type == 1) {
            fill.kind = fill.colour.empty() ? MasterFill::Kind::None : MasterFill::Kind::Solid;
        } else if (type == 2 || type == 3) {
            if (auto picture = blips().picture(value(propid::fillBlip, 0), design_.pictures)) {
                fill.kind = MasterFill::Kind::Picture;
                fill.picture = *picture;
            }
        } else if (type >= 4 && type <= 8) {
            fill.secondColour = shapeColour(value(propid::fillBackColor, 0xFFFFFF));
            // The focus places the last colour (the back colour): at the start
            // (the centre of a concentric fill) below half way, else at the end.
            const auto focus = static_cast<std::int32_t>(value(propid::fillFocus, 0));
            if (focus > -50 && focus < 50) std::swap(fill.colour, fill.secondColour);
            fill.radial = type == 5 || type == 6;  // shaded from the centre or the shape's outline
            // The angle turns the top-to-bottom fill counterclockwise (16.16 degrees).
            const double turn = static_cast<std::int32_t>(value(propid::fillAngle, 0)) / 65536.0;
            fill.angle = std::fmod(std::fmod(90 - turn, 360) + 360, 360);
            if (!fill.colour.empty() && !fill.secondColour.empty()) fill.kind = MasterFill::Kind::Gradient;
        }
        return fill;
    }

    BlipReader& blips()
    {
        if (!blipReader_) blipReader_.emplace(bstore_, pictures_);
        return *blipReader_;
    }

    void readDrawing(const Record& dg)
    {
        for (const Record& child : childrenOf(dg)) {
            if (child.type == rt::SpgrContainer) {
                for (const Record& shape : childrenOf(child))
                    if (shape.type == rt::SpContainer) readShape(shape);
            } else if (child.type == rt::SpContainer) {
                readShape(child);
            }
        }
    }

    static std::optional<Box> anchorOf(const Record& shape)
    {
        const auto edges = anchorEdgesOf(shape);
        // LibreOffice leaves some master placeholders unplaced.
        if (!edges || edges->right <= edges->left || edges->bottom <= edges->top) return std::nullopt;
        return Box{static_cast<float>(edges->left), static_cast<float>(edges->top), static_cast<float>(edges->right - edges->left),
                   static_cast<float>(edges->bottom - edges->top)};
    }

    void readShape(const Record& shape)
    {
        const auto fsp = childOf(shape, rt::FSP);
        if (!fsp) return;
        ByteReader in = fsp->reader();
        in.skip(4);  // shape id
        const std::uint32_t flags = in.u32();
        const auto props = properties(shape);
        if (flags & fBackground) {
            design_.background = fillOf(props);
            return;
        }
        const std::optional<Box> box = anchorOf(shape);
        if (!box) return;
        if (const auto placeholder = placeholderOf(shape)) {
            MasterPlaceholders& boxes = design_.placeholders;
            if (*placeholder == phTitle || *placeholder == phCenterTitle) boxes.title = box;
            if (*placeholder == phBody) boxes.body = box;
            if (*placeholder == phDate) boxes.date = box;
            if (*placeholder == phFooter) boxes.footer = box;
            if (*placeholder == phSlideNumber) boxes.slideNumber = box;
            return;
        }
        MasterShape result;
        result.box = *box;
        if (auto pib = props.find(propid::pib); pib != props.end()) {
            const auto picture = blips().picture(pib->second, design_.pictures);
            if (!picture) return;
            result.fill.kind = MasterFill::Kind::Picture;
            result.fill.picture = *picture;
        } else {
            const std::uint16_t type = fsp->instance;
            if (type != shapetype::rectangle && type != shapetype::ellipse) return;
            if (childOf(shape, rt::ClientTextbox)) return;  // text on the master is not part of the design
            result.kind = type == shapetype::ellipse ? MasterShape::Kind::Ellipse : MasterShape::Kind::Rectangle;
            result.fill = fillOf(props);
            if (result.fill.kind != MasterFill::Kind::Solid && result.fill.kind != MasterFill::Kind::Gradient) return;
        }
        design_.shapes.push_back(std::move(result));
    }

    PersistDirectory persist_;
    std::string_view pictures_;
    std::optional<Record> bstore_;
    std::optional<BlipReader> blipReader_;
    std::vector<std::string> fonts_;
    MasterDesign design_;
};

}  // namespace

MasterDesign readMasterDesign(std::string_view document, std::string_view currentUser, std::string_view pictures)
{
    return Reader(document, currentUser, pictures).run();
}

}  // namespace ppt::binary
