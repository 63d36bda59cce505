#include "binary/DocumentFacts.h"

#include "binary/RecordTypes.h"
#include "office/package/Unicode.h"

namespace ppt::binary {
namespace {

std::optional<SlideSize> slideSizeOf(const Record& documentAtom)
{
    ByteReader in = documentAtom.reader();
    const std::int32_t width = in.i32(), height = in.i32();
    if (width <= 0 || height <= 0 || width > 0xFFFFFF || height > 0xFFFFFF) return std::nullopt;
    return SlideSize{static_cast<float>(width) / kMasterUnitsPerPoint, static_cast<float>(height) / kMasterUnitsPerPoint};
}

std::vector<std::string> fontFacesOf(const Record& environment)
{
    std::vector<std::string> faces;
    const auto collection = childOf(environment, rt::FontCollection);
    if (!collection) return faces;
    for (const Record& entity : childrenOf(*collection)) {
        if (entity.type != rt::FontEntityAtom) continue;
        ByteReader in = entity.reader();
        std::u16string face;
        for (int i = 0; i < 32; ++i) {  // a fixed field of 32 UTF-16 units, ended early by a null
            const char16_t c = in.u16();
            if (c == 0) break;
            face += c;
        }
        faces.push_back(office::utf16ToUtf8(face));
    }
    return faces;
}

}  // namespace

DocumentFacts readDocumentFacts(const PersistDirectory& persist)
{
    DocumentFacts facts{persist.object(persist.documentPersistId()), {}, {}, {}};
    const Record& document = facts.document;
    if (document.type != rt::Document) throw FormatError("the document record is missing (" + document.name() + ")");
    facts.slideSize = slideSizeOf(requiredChild(document, rt::DocumentAtom, "document atom"));
    if (auto environment = childOf(document, rt::Environment)) facts.fonts = fontFacesOf(*environment);
    if (auto group = childOf(document, rt::DrawingGroup))
        if (auto dgg = childOf(*group, rt::DggContainer)) facts.pictureStore = childOf(*dgg, rt::BStoreContainer);
    return facts;
}

}  // namespace ppt::binary
