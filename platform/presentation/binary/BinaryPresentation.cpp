#include "binary/BinaryPresentation.h"

#include "binary/MasterDesignParts.h"
#include "binary/MasterDesignReader.h"
#include "binary/PowerPointFile.h"
#include "binary/SlideReader.h"
#include "office/package/FileBytes.h"

namespace ppt {
namespace {

// The master the .ppt writer makes for the built-in design: its colours, a
// white background and no shapes of its own.
bool isBuiltInDesign(const binary::MasterDesign& design)
{
    using Fill = binary::MasterFill;
    const bool whiteOrNone = design.background.kind == Fill::Kind::None ||
                             (design.background.kind == Fill::Kind::Solid && design.background.colour == "FFFFFF");
    return whiteOrNone && design.shapes.empty() && design.scheme == binary::MasterDesign{}.scheme;
}

}  // namespace

BinaryPresentation readBinaryPresentationBytes(std::string_view file, const std::string& displayName,
                                               const pptmedia::PptxReadOptions& options)
{
    BinaryPresentation presentation;
    binary::readPowerPointStreams(file, displayName, [&](const binary::PowerPointStreams& streams) {
        presentation.deck = binary::readSlides(streams, options);
        const binary::MasterDesign design = binary::readMasterDesign(streams.document, streams.currentUser, streams.pictures);
        if (!isBuiltInDesign(design))
            presentation.design = std::make_shared<const pptmedia::ImportedTemplate>(binary::designParts(design, {}));
    });
    return presentation;
}

BinaryPresentation readBinaryPresentation(const std::filesystem::path& path, const std::string& displayName)
{
    const pptmedia::Bytes bytes = office::readFileBytes(path, displayName);
    return readBinaryPresentationBytes(pptmedia::asText(bytes), displayName);
}

pptmedia::LegacyDocument describeLegacyDocument(const std::filesystem::path& path, const std::string& displayName)
{
    const pptmedia::Bytes bytes = office::readFileBytes(path, displayName);
    pptmedia::LegacyDocument document;
    switch (binary::compoundContent(pptmedia::asText(bytes))) {
    case binary::CompoundContent::Presentation: {
        pptmedia::PptxReadOptions firstSlide;
        firstSlide.loadMedia = false;
        firstSlide.maxSlides = 1;
        binary::readPowerPointStreams(pptmedia::asText(bytes), displayName, [&](const binary::PowerPointStreams& streams) {
            document.firstSlide = binary::readSlides(streams, firstSlide);
        });
        document.kind = pptmedia::EmbeddedKind::Presentation;
        break;
    }
    case binary::CompoundContent::WordDocument: document.kind = pptmedia::EmbeddedKind::WordDocument; break;
    case binary::CompoundContent::Other: break;
    }
    return document;
}

}  // namespace ppt
