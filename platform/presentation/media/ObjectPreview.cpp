#include "media/ObjectPreview.h"

#include "media/DocxTableReader.h"
#include "media/MediaError.h"
#include "office/package/PackageKind.h"
#include "template/PptxReader.h"

namespace pptmedia {

using office::isPresentationKind;
using office::isWordKind;
using office::openPackage;
using office::OpenedPackage;
using office::PackageKind;

EmbeddedObject describeEmbeddedFile(const std::filesystem::path& path, const std::string& displayName,
                                    const LegacyReader& legacy)
{
    EmbeddedObject object;
    object.progId = "Package";
    object.contentType = "application/vnd.openxmlformats-officedocument.oleObject";
    object.extension = "bin";

    OpenedPackage opened = openPackage(path, displayName);
    try {
        if (isWordKind(opened.kind)) {
            DocxDocument document = readDocxTables(*opened.package, opened.mainPart);
            object.kind = EmbeddedKind::WordDocument;
            object.progId = "Word.Document.12";
            object.contentType = "application/vnd.openxmlformats-officedocument.wordprocessingml.document";
            object.extension = "docx";
            if (!document.tables.empty()) {
                TableLayoutDefaults defaults;
                if (!document.defaultFontName.empty()) defaults.fontName = document.defaultFontName;
                object.preview = drawTablePreview(document.tables.front(), defaults);
                return object;
            }
        } else if (isPresentationKind(opened.kind)) {
            PptxReadOptions options;
            options.loadMedia = false;
            options.maxSlides = 1;
            PptxDeck deck = readPresentation(*opened.package, opened.mainPart, options);
            object.kind = EmbeddedKind::Presentation;
            object.progId = "PowerPoint.Show.12";
            object.contentType = "application/vnd.openxmlformats-officedocument.presentationml.presentation";
            object.extension = "pptx";
            object.preview = drawPresentationPreview(deck);
            return object;
        } else if (opened.kind == PackageKind::LegacyBinary && legacy) {
            const LegacyDocument document = legacy(path, displayName);
            object.kind = document.kind;
            if (document.kind == EmbeddedKind::Presentation) {
                object.progId = "PowerPoint.Show.8";
                object.preview = drawPresentationPreview(document.firstSlide);
                return object;
            }
            if (document.kind == EmbeddedKind::WordDocument) object.progId = "Word.Document.8";
        }
    } catch (const MediaError& e) {
        if (e.kind() == MediaErrorKind::UnsafePackage) throw;
        // A damaged document is still embedded, as a file.
        object = EmbeddedObject{EmbeddedKind::OtherFile, "Package",
                                "application/vnd.openxmlformats-officedocument.oleObject", "bin", {}};
    }
    object.preview = drawFilePreview(displayName);
    return object;
}

}  // namespace pptmedia
