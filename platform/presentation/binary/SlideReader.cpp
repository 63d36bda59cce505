#include "binary/SlideReader.h"

#include <algorithm>
#include <map>
#include <optional>
#include <unordered_set>

#include "binary/BlipReader.h"
#include "binary/DocumentFacts.h"
#include "binary/OleStorageReader.h"
#include "binary/PersistDirectory.h"
#include "binary/RecordTypes.h"
#include "binary/ShapeFacts.h"
#include "binary/TextReader.h"
#include "model/PresentationModel.h"
#include "office/package/Unicode.h"

namespace ppt::binary {
namespace {

using pptmedia::PptxHyperlink;
using pptmedia::PptxParagraph;
using pptmedia::PptxShape;
using pptmedia::PptxShapeKind;
using pptmedia::PptxSlide;

constexpr std::uint16_t kOutlineTextRefAtom = 0x0F9E;
constexpr std::uint16_t kSlideList = 0, kNotesList = 2, kSlideHeadersFooters = 3;
constexpr std::uint16_t shapeTextBox = 202, shapePictureFrame = 75;
constexpr std::uint8_t phMasterDate = 0x07, phMasterSlideNumber = 0x08, phMasterFooter = 0x09, phNotesBody = 0x0C;
// Headers and footers atom flags.
constexpr std::uint16_t fHasDate = 0x1, fHasTodayDate = 0x2, fHasUserDate = 0x4, fHasSlideNumber = 0x8, fHasFooter = 0x20;
// What the pictures and embedded files copied into the deck may take in all,
// however often a hostile file refers to the same one.
constexpr std::size_t kMaxDeckBytes = 512u << 20;
// Shapes, paragraphs and runs in all: far more than a real deck holds, far
// less than what a file of tiny records would make the reader allocate.
constexpr std::size_t kMaxItems = 4'000'000;

std::string utf8(std::string_view utf16le)
{
    ByteReader in(utf16le);
    std::u16string text;
    while (in.remaining() >= 2) text += static_cast<char16_t>(in.u16());
    return office::utf16ToUtf8(text);
}

// Simple properties by id, and the names of the complex ones the reader wants.
struct ShapeProperties {
    std::map<std::uint16_t, std::uint32_t> values;
    std::string name;

    std::uint32_t get(std::uint16_t id, std::uint32_t fallback) const
    {
        const auto it = values.find(id);
        return it == values.end() ? fallback : it->second;
    }
};

ShapeProperties propertiesOf(const Record& shape)
{
    ShapeProperties result;
    for (const Record& table : childrenOf(shape)) {
        if (table.type != rt::FOPT) continue;
        ByteReader in = table.reader();
        std::vector<std::pair<std::uint16_t, std::uint32_t>> complex;
        for (std::uint16_t i = 0; i < table.instance; ++i) {
            const std::uint16_t id = in.u16();
            const std::uint32_t value = in.u32();
            if (id & 0x8000) complex.emplace_back(id & 0x3FFF, value);
            else result.values.emplace(id & 0x3FFF, value);
        }
        for (const auto& [id, size] : complex) {
            const std::string_view data = in.take(std::min<std::size_t>(size, in.remaining()));
            if (id == propid::shapeName) result.name = utf8(data.substr(0, data.find(std::string_view("\0\0", 2)) & ~std::size_t{1}));
        }
    }
    return result;
}

struct Footers {
    std::uint16_t flags = 0;
    int dateFormat = 1;
    std::string footerText, dateText;
};

Footers footersOf(const Record& container)
{
    Footers footers;
    ByteReader in = requiredChild(container, rt::HeadersFootersAtom, "headers and footers atom").reader();
    footers.dateFormat = std::clamp(in.i16() + 1, 1, 13);
    footers.flags = in.u16();
    for (const Record& text : childrenOf(container)) {
        if (text.type != rt::CString) continue;
        if (text.instance == 2) footers.footerText = utf8(text.body);
        if (text.instance == 0) footers.dateText = utf8(text.body);
    }
    return footers;
}

// Placed where the built-in design puts them: a preview draws them last.
PptxShape footerPlaceholder(const char* type, const Box& box, const std::string& text, const std::string& field = {})
{
    PptxShape shape;
    shape.leftPt = box.left, shape.topPt = box.top, shape.widthPt = box.width, shape.heightPt = box.height;
    shape.kind = PptxShapeKind::Placeholder;
    shape.placeholderType = type;
    shape.hasTextFrame = true;
    pptmedia::PptxRun run;
    run.text = text;
    run.field = field;
    shape.paragraphs.emplace_back().runs.push_back(std::move(run));
    return shape;
}

class SlideReader {
public:
    SlideReader(const PowerPointStreams& streams, const pptmedia::PptxReadOptions& options)
        : persist_(streams.document, streams.currentUser), pictures_(streams.pictures), options_(options)
    {
    }

    pptmedia::PptxDeck run()
    {
        DocumentFacts facts = readDocumentFacts(persist_);
        const Record& document = facts.document;
        if (facts.slideSize) {
            deck_.slideWidthPt = facts.slideSize->width;
            deck_.slideHeightPt = facts.slideSize->height;
        }
        fonts_ = std::move(facts.fonts);
        if (auto list = childOf(document, rt::ExObjList)) readObjects(*list);
        blips_.emplace(facts.pictureStore, pictures_);
        if (auto footers = childOf(document, rt::HeadersFooters, kSlideHeadersFooters)) documentFooters_ = footersOf(*footers);
        if (auto notes = childOf(document, rt::SlideListWithText, kNotesList)) readNotesList(*notes);
        if (auto slides = childOf(document, rt::SlideListWithText, kSlideList)) readSlideList(*slides);
        return std::move(deck_);
    }

private:
    // Hyperlink targets and embedded objects by id.
    void readObjects(const Record& list)
    {
        for (const Record& object : childrenOf(list)) {
            if (object.type == rt::ExHyperlink) {
                const std::uint32_t id = requiredChild(object, rt::ExHyperlinkAtom, "hyperlink atom").reader().u32();
                std::string target, location;
                for (const Record& text : childrenOf(object)) {
                    if (text.type != rt::CString) continue;
                    if (text.instance == 1) target = utf8(text.body);
                    if (text.instance == 3) location = utf8(text.body);
                }
                hyperlinks_[id] = linkTo(target, location);
            } else if (object.type == rt::ExOleEmbed || object.type == rt::ExOleLink) {
                ByteReader in = requiredChild(object, rt::ExOleObjAtom, "embedded object atom").reader();
                in.skip(8);  // aspect, type
                const std::uint32_t id = in.u32();
                in.skip(4);  // sub type
                Embed& embed = embeds_[id];
                embed.storagePersistId = in.u32();
                embed.linked = object.type == rt::ExOleLink;
                if (auto progId = childOf(object, rt::CString, 2)) embed.progId = utf8(progId->body);
            }
        }
    }

    // A target file or address, or a slide as "id,index,title".
    static PptxHyperlink linkTo(const std::string& target, const std::string& location)
    {
        PptxHyperlink link;
        if (!target.empty()) {
            link.address = target;
            return link;
        }
        const std::size_t comma = location.find(',');
        if (comma == std::string::npos) return link;
        link.targetSlideId = static_cast<std::uint32_t>(std::strtoul(location.c_str(), nullptr, 10));
        link.targetSlideIndex = std::strtoul(location.c_str() + comma + 1, nullptr, 10);
        return link;
    }

    PptxHyperlink hyperlink(std::uint32_t id) const
    {
        const auto it = hyperlinks_.find(id);
        return it == hyperlinks_.end() ? PptxHyperlink{} : it->second;
    }

    void readNotesList(const Record& list)
    {
        for (const Record& entry : childrenOf(list)) {
            if (entry.type != rt::SlidePersistAtom) continue;
            const Record notes = listedOnce(entry.reader().u32());
            if (notes.type != rt::Notes) continue;
            const std::uint32_t slideId = requiredChild(notes, rt::NotesAtom, "notes atom").reader().u32();
            for (const Record& shape : shapesOf(notes))
                if (placeholderOf(shape) == phNotesBody)
                    if (auto textbox = childOf(shape, rt::ClientTextbox)) notes_[slideId] = textOf(childrenOf(*textbox), {});
        }
    }

    void readSlideList(const Record& list)
    {
        // Each slide's entry is followed by the texts of its placeholders.
        std::vector<std::pair<Record, std::vector<std::vector<Record>>>> entries;
        for (const Record& child : childrenOf(list)) {
            if (child.type == rt::SlidePersistAtom) {
                entries.push_back({child, {}});
            } else if (!entries.empty()) {
                auto& texts = entries.back().second;
                if (child.type == rt::TextHeaderAtom || texts.empty()) texts.emplace_back();
                texts.back().push_back(child);
            }
        }
        for (auto& [entry, texts] : entries) {
            if (deck_.slides.size() >= options_.maxSlides) break;
            ByteReader in = entry.reader();
            const std::uint32_t persistId = in.u32();
            in.skip(8);  // flags, texts
            const std::uint32_t slideId = in.u32();
            const Record slide = listedOnce(persistId);
            if (slide.type != rt::Slide) throw FormatError("the slide list points to " + slide.name() + ", not a slide");
            readSlide(slide, slideId, texts);
        }
    }

    // A persist object the document lists: each one once.
    Record listedOnce(std::uint32_t persistId)
    {
        if (!listed_.insert(persistId).second)
            throw FormatError("persist object " + std::to_string(persistId) + " is listed twice");
        return persist_.object(persistId);
    }

    // The shapes of a slide's or notes page's drawing, its group's own record left out.
    static std::vector<Record> shapesOf(const Record& page)
    {
        std::vector<Record> shapes;
        const auto drawing = childOf(page, rt::Drawing);
        if (!drawing) return shapes;
        const auto dg = childOf(*drawing, rt::DgContainer);
        if (!dg) return shapes;
        const auto group = childOf(*dg, rt::SpgrContainer);
        if (!group) return shapes;
        for (const Record& shape : childrenOf(*group)) {
            if (shape.type != rt::SpContainer) continue;  // nested groups are not read
            const auto fsp = childOf(shape, rt::FSP);
            if (!fsp) continue;
            ByteReader in = fsp->reader();
            in.skip(4);
            if (in.u32() & (fGroup | fBackground)) continue;
            shapes.push_back(shape);
        }
        return shapes;
    }

    std::vector<PptxParagraph> textOf(const std::vector<Record>& atoms, const std::vector<std::vector<Record>>& listTexts)
    {
        for (const Record& atom : atoms) {
            if (atom.type != kOutlineTextRefAtom) continue;
            const std::uint32_t index = atom.reader().u32();
            // Each text of the slide list once: a file may not multiply its work.
            if (index >= listTexts.size() || !usedListTexts_.insert(&listTexts[index]).second) return {};
            return readTextAtoms(listTexts[index], {fonts_, [this](std::uint32_t id) { return hyperlink(id); }, budget_});
        }
        return readTextAtoms(atoms, {fonts_, [this](std::uint32_t id) { return hyperlink(id); }, budget_});
    }

    void readSlide(const Record& record, std::uint32_t slideId, const std::vector<std::vector<Record>>& listTexts)
    {
        spend(budget_);
        PptxSlide slide;
        slide.slideId = slideId;
        int nextId = 2;  // as the object model numbers a slide's shapes
        for (const Record& shape : shapesOf(record)) {
            const auto placeholder = placeholderOf(shape);
            if (placeholder == phMasterDate || placeholder == phMasterFooter || placeholder == phMasterSlideNumber)
                continue;  // the slide's header and footer settings say what they show
            if (auto read = readShape(shape, listTexts, nextId)) slide.shapes.push_back(std::move(*read));
        }
        const auto own = childOf(record, rt::HeadersFooters);
        const std::optional<Footers> footers = own ? std::optional(footersOf(*own)) : documentFooters_;
        if (footers) addFooters(slide, *footers);
        if (auto notes = notes_.find(slideId); notes != notes_.end()) slide.notes = std::move(notes->second);
        deck_.slides.push_back(std::move(slide));
    }

    static void addFooters(PptxSlide& slide, const Footers& footers)
    {
        if (footers.flags & fHasDate) {
            const bool userDate = (footers.flags & fHasUserDate) && !(footers.flags & fHasTodayDate);
            slide.shapes.push_back(userDate ? footerPlaceholder("dt", design::date, footers.dateText)
                                            : footerPlaceholder("dt", design::date, "", "datetime" + std::to_string(footers.dateFormat)));
        }
        if (footers.flags & fHasFooter) slide.shapes.push_back(footerPlaceholder("ftr", design::footer, footers.footerText));
        if (footers.flags & fHasSlideNumber) slide.shapes.push_back(footerPlaceholder("sldNum", design::slideNumber, "", "slidenum"));
    }

    static std::optional<Box> anchorOf(const Record& shape)
    {
        const auto edges = anchorEdgesOf(shape);
        if (!edges) return std::nullopt;
        return Box{static_cast<float>(edges->left), static_cast<float>(edges->top),
                   static_cast<float>(std::max(0.0, edges->right - edges->left)),
                   static_cast<float>(std::max(0.0, edges->bottom - edges->top))};
    }

    // The shape's click link from its client data.
    PptxHyperlink clickLinkOf(const Record& shape) const
    {
        const auto data = childOf(shape, rt::ClientData);
        if (!data) return {};
        const auto info = childOf(*data, rt::InteractiveInfo, 0);
        if (!info) return {};
        const auto atom = childOf(*info, rt::InteractiveInfoAtom);
        if (!atom) return {};
        ByteReader in = atom->reader();
        in.skip(4);
        return hyperlink(in.u32());
    }

    std::optional<PptxShape> readShape(const Record& record, const std::vector<std::vector<Record>>& listTexts, int& nextId)
    {
        spend(budget_);
        const auto fsp = requiredChild(record, rt::FSP, "shape atom");
        ByteReader fspIn = fsp.reader();
        fspIn.skip(4);
        const std::uint32_t flags = fspIn.u32();
        const auto box = anchorOf(record);
        if (!box) return std::nullopt;
        const ShapeProperties properties = propertiesOf(record);

        PptxShape shape;
        shape.id = static_cast<std::uint32_t>(nextId);
        shape.leftPt = box->left, shape.topPt = box->top, shape.widthPt = box->width, shape.heightPt = box->height;
        shape.clickLink = clickLinkOf(record);
        const char* stem = "TextBox ";
        if (fsp.instance == shapePictureFrame || properties.values.count(propid::pib)) {
            if (options_.loadMedia)
                if (auto picture = blips_->picture(properties.get(propid::pib, 0), decoded_)) {
                    const StoredPicture& stored = decoded_[static_cast<std::size_t>(*picture)];
                    shape.mediaBytes = copied(stored.bytes);
                    shape.mediaContentType = stored.contentType;
                }
            shape.kind = PptxShapeKind::Picture;
            stem = "Picture ";
            if (flags & fOleShape) {
                readObject(record, shape);
                stem = "Object ";
            }
        } else if (const auto textbox = childOf(record, rt::ClientTextbox)) {
            shape.kind = PptxShapeKind::Text;
            shape.hasTextFrame = true;
            shape.wordWrap = properties.get(propid::wrapText, 0) != 2;
            const std::uint32_t booleans = properties.get(propid::textBooleans, 0);
            shape.autoSize = (booleans & 0x00020000) && (booleans & 0x2) ? 1 : 0;
            shape.paragraphs = textOf(childrenOf(*textbox), listTexts);
            if (shape.paragraphs.empty() && fsp.instance != shapeTextBox) return std::nullopt;
        } else {
            return std::nullopt;  // a drawing of its own: not in the object model
        }
        shape.name = properties.name.empty() ? stem + std::to_string(nextId - 1) : properties.name;
        nextId += shape.kind == PptxShapeKind::OleObject ? 2 : 1;  // an object holds its preview picture
        return shape;
    }

    // An embedded or linked object: its program id and its file, or the file it links to, from the object list.
    void readObject(const Record& record, PptxShape& shape)
    {
        const auto data = childOf(record, rt::ClientData);
        const auto ref = data ? childOf(*data, rt::ExObjRefAtom) : std::nullopt;
        const auto embed = ref ? embeds_.find(ref->reader().u32()) : embeds_.end();
        if (embed == embeds_.end()) return;  // stays a picture
        shape.kind = PptxShapeKind::OleObject;
        shape.progId = embed->second.progId;
        shape.linked = embed->second.linked;
        if (!options_.loadMedia) return;
        const Record storage = persist_.object(embed->second.storagePersistId);
        if (storage.type != rt::ExOleObjStg) throw FormatError("an embedded object points to " + storage.name() + ", not its storage");
        if (shape.linked) {
            // As a package names it: a '%' of the path is escaped.
            for (char c : office::utf16ToUtf8(linkedFile(storage))) shape.linkTarget += c == '%' ? std::string("%25") : std::string(1, c);
            return;
        }
        EmbeddedFile file = embeddedFile(storage, shape.progId);
        shape.embeddedBytes = copied(file.bytes);
        shape.embeddedContentType = std::move(file.contentType);
    }

    pptmedia::Bytes copied(std::string_view bytes)
    {
        copiedBytes_ += bytes.size();
        if (copiedBytes_ > kMaxDeckBytes) throw FormatError("its pictures and embedded files take more than 512 MB");
        return pptmedia::toBytes(bytes);
    }

    struct Embed {
        std::uint32_t storagePersistId = 0;
        std::string progId;
        bool linked = false;
    };

    PersistDirectory persist_;
    std::string_view pictures_;
    const pptmedia::PptxReadOptions& options_;
    std::vector<std::string> fonts_;
    std::map<std::uint32_t, PptxHyperlink> hyperlinks_;
    std::map<std::uint32_t, Embed> embeds_;
    std::optional<BlipReader> blips_;
    std::vector<StoredPicture> decoded_;
    std::optional<Footers> documentFooters_;
    std::map<std::uint32_t, std::vector<PptxParagraph>> notes_;  // by slide id
    std::unordered_set<std::uint32_t> listed_;
    std::unordered_set<const std::vector<Record>*> usedListTexts_;
    std::size_t copiedBytes_ = 0;
    std::size_t budget_ = kMaxItems;
    pptmedia::PptxDeck deck_;
};

}  // namespace

pptmedia::PptxDeck readSlides(const PowerPointStreams& streams, const pptmedia::PptxReadOptions& options)
{
    return SlideReader(streams, options).run();
}

}  // namespace ppt::binary
