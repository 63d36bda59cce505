#include "binary/SlideShapes.h"

#include <variant>

#include "binary/OleStorage.h"
#include "binary/RecordTypes.h"

namespace ppt::binary {
namespace {

// PlaceholderEnum
constexpr std::uint8_t kMasterDate = 0x07, kMasterSlideNumber = 0x08, kMasterFooter = 0x09;
constexpr std::uint8_t kNotesSlideImage = 0x0B, kNotesBody = 0x0C;
LinkResolver resolverFor(DeckContext& deck, const ShapeTree& tree)
{
    return [&deck, &tree](std::uint32_t link) {
        if (link == 0 || link > tree.links.size()) return LinkAction{};
        return deck.objects.hyperlink(tree.links[link - 1]);
    };
}

// The insets PowerPoint gives text (the .pptx writer's), said outright.
void defaultInsets(PropertyTable& p)
{
    p.set(prop::dxTextLeft, static_cast<std::uint32_t>(kInsetX * kEmuPerPoint));
    p.set(prop::dyTextTop, static_cast<std::uint32_t>(kInsetY * kEmuPerPoint));
    p.set(prop::dxTextRight, static_cast<std::uint32_t>(kInsetX * kEmuPerPoint));
    p.set(prop::dyTextBottom, static_cast<std::uint32_t>(kInsetY * kEmuPerPoint));
}

void noFillNoLine(PropertyTable& properties)
{
    properties.set(prop::fillBooleans, 0x00100000);
    properties.set(prop::lineBooleans, 0x00080000);
}

ShapeSpec textShape(DeckContext& deck, ShapeModel& shape, TextType type, LinkResolver links)
{
    ShapeSpec shapeInfo;
    shapeInfo.type = shape.isLabel() ? shapetype::textBox : shapetype::rectangle;
    shapeInfo.box = shape.effectiveBox();
    PropertyTable& p = shapeInfo.properties;
    defaultInsets(p);
    p.set(prop::wrapText, shape.wordWrap ? 0 : 2);  // square / none
    p.set(prop::anchorText, 0);                       // top
    p.set(prop::textBooleans, shape.autoSize == AutoSize::ShapeToFitText ? 0x00020002 : 0x00020000);
    noFillNoLine(p);
    shapeInfo.click = links(shape.clickLink);
    shapeInfo.over = links(shape.overLink);
    if (shape.text) {
        const TextBody* body = shape.text.get();
        shapeInfo.text = [body, type, &deck, links](RecordStream& out) { writeTextAtoms(out, *body, type, deck.fonts, links); };
    }
    return shapeInfo;
}

}  // namespace

void writeShapes(DrawingWriter& drawing, DeckContext& deck, ShapeTree& tree, Page page)
{
    const LinkResolver links = resolverFor(deck, tree);
    for (auto& shapePtr : tree.shapes) {
        ShapeModel& shape = *shapePtr;
        if (const auto* picture = shape.as<PictureShape>()) {
            ShapeSpec shapeInfo;
            shapeInfo.type = shapetype::pictureFrame;
            shapeInfo.box = shape.box;
            if (const std::uint32_t blip = deck.pictures.blipId(picture->media)) shapeInfo.properties.set(prop::pib, blip);
            if (picture->linked) {
                RecordStream name;
                name.utf16(picture->linkTarget);
                name.u16(0);
                shapeInfo.properties.setComplex(prop::pibName, name.take());
                shapeInfo.properties.set(prop::pibFlags, 0x0C);  // a file, linked
            }
            noFillNoLine(shapeInfo.properties);
            shapeInfo.click = links(shape.clickLink);
            shapeInfo.over = links(shape.overLink);
            drawing.shape(shapeInfo);
        } else if (const auto* ole = shape.as<OleShape>()) {
            ShapeSpec shapeInfo;
            shapeInfo.type = shapetype::pictureFrame;
            shapeInfo.box = shape.box;
            if (const std::uint32_t blip = deck.pictures.blipId(ole->preview)) shapeInfo.properties.set(prop::pib, blip);
            noFillNoLine(shapeInfo.properties);
            if (ole->linked || ole->embedding) {
                // The object's storage (its file, or the file it links to) is a persist object of its own.
                const std::uint32_t persistId = deck.nextPersistId++;
                if (ole->linked) {
                    deck.storages.emplace_back(persistId, oleLinkStorageRecord(ole->linkTarget, ole->progId));
                    shapeInfo.exObjRef = deck.objects.link(ole->progId, ole->asIcon, persistId);
                } else {
                    deck.storages.emplace_back(persistId, oleStorageRecord(deck.model.embeddings.item(ole->embedding), ole->progId));
                    shapeInfo.exObjRef = deck.objects.embed(ole->progId, ole->asIcon, persistId);
                }
                shapeInfo.properties.set(prop::pictureId, shapeInfo.exObjRef);
                shapeInfo.flags |= fOleShape;
            }
            shapeInfo.click = links(shape.clickLink);
            shapeInfo.over = links(shape.overLink);
            drawing.shape(shapeInfo);
        } else if (const auto* placeholder = std::get_if<PlaceholderShape>(&shape.kind); placeholder && page != Page::Slide) {
            if (page == Page::Master) continue;
            const bool image = placeholder->type == PlaceholderType::SlideImage;
            ShapeSpec shapeInfo = textShape(deck, shape, TextType::Notes, links);
            shapeInfo.placeholder = image ? kNotesSlideImage : kNotesBody;
            if (image) {
                shapeInfo.text = nullptr;
                shapeInfo.properties = PropertyTable();
            }
            drawing.shape(shapeInfo);
        } else {
            drawing.shape(textShape(deck, shape, TextType::Other, links));
        }
    }
}

void writeFooterPlaceholder(DrawingWriter& drawing, DeckContext& deck, PlaceholderType type, const Box& box)
{
    CharFormat small;
    small.size = 12.0f;  // footers are small print
    auto body = std::make_shared<TextBody>(small);
    body->insert(0, u"*");
    const Align align = type == PlaceholderType::Footer ? Align::Center : type == PlaceholderType::SlideNumber ? Align::Right : Align::Left;
    body->changeParagraphs(0, TextBody::kEnd, [align](ParaFormat& f) { f.align = align; });

    ShapeSpec shapeInfo;
    shapeInfo.type = shapetype::rectangle;
    shapeInfo.box = box;
    noFillNoLine(shapeInfo.properties);
    defaultInsets(shapeInfo.properties);
    shapeInfo.properties.set(prop::anchorText, 0);
    shapeInfo.placeholder = type == PlaceholderType::Date ? kMasterDate : type == PlaceholderType::Footer ? kMasterFooter : kMasterSlideNumber;
    shapeInfo.placeholderSize = 2;  // quarter
    const std::uint16_t field = type == PlaceholderType::Date     ? rt::GenericDateMCAtom
                                : type == PlaceholderType::Footer ? rt::FooterMCAtom
                                                                  : rt::SlideNumberMCAtom;
    shapeInfo.text = [body, &deck, field](RecordStream& out) {
        writeTextAtoms(out, *body, TextType::Other, deck.fonts, [](std::uint32_t) { return LinkAction{}; });
        auto atom = out.atom(field);
        out.u32(0);  // the field stands at the start of the text
    };
    drawing.shape(shapeInfo);
}

void writeMasterTextPlaceholder(DrawingWriter& drawing, DeckContext& deck, std::uint8_t placeholder, const Box& box)
{
    ShapeSpec shapeInfo;
    shapeInfo.type = shapetype::rectangle;
    shapeInfo.box = box;
    noFillNoLine(shapeInfo.properties);
    defaultInsets(shapeInfo.properties);
    shapeInfo.placeholder = placeholder;
    const TextType type = placeholder == kMasterTitle ? TextType::Title : TextType::Body;
    shapeInfo.text = [&deck, type](RecordStream& out) {
        writeTextAtoms(out, TextBody(), type, deck.fonts, [](std::uint32_t) { return LinkAction{}; });
    };
    drawing.shape(shapeInfo);
}

}  // namespace ppt::binary
