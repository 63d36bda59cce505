// What an embedded object made from a file looks like: the program id it
// is embedded under and the preview it shows, chosen by the file's content
// (a Word document shows its first table, a presentation its first slide,
// anything else a labelled frame with its name).
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "media/Preview.h"
#include "template/PptxDeck.h"

namespace pptmedia {

enum class EmbeddedKind { WordDocument, Presentation, OtherFile };

struct EmbeddedObject {
    EmbeddedKind kind = EmbeddedKind::OtherFile;
    std::string progId;  // "Word.Document.12", "PowerPoint.Show.12", "Package"
    // The content type the file is stored under inside a presentation.
    std::string contentType;
    std::string extension;  // "docx", "pptx", "bin"
    Preview preview;        // drawn at the object's natural size
};

// What a 97-2003 compound file holds, told by a reader of that format: a
// presentation with its first slide, a Word document, or neither.
struct LegacyDocument {
    EmbeddedKind kind = EmbeddedKind::OtherFile;
    PptxDeck firstSlide;
};
using LegacyReader = std::function<LegacyDocument(const std::filesystem::path&, const std::string& displayName)>;

// Throws MediaError for a missing or unreadable file and for packages
// refused as unsafe; a Word or PowerPoint file that cannot be read as such
// falls back to the labelled frame. A 97-2003 file is embedded as the
// compound file it is; legacy tells what it holds (without it: a file).
EmbeddedObject describeEmbeddedFile(const std::filesystem::path& path, const std::string& displayName,
                                    const LegacyReader& legacy = {});

}  // namespace pptmedia
