// A PowerPoint 97-2003 presentation (.ppt, .pps, .pot) read for
// Presentations.Open and for the preview of an embedded one: its slides as
// a PresentationML reader gives them, and the design of its master when it
// is not the one the built-in design writes. Nothing is kept from a file
// that fails.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "media/ObjectPreview.h"
#include "template/PptxDeck.h"
#include "template/TemplateImport.h"

namespace ppt {

struct BinaryPresentation {
    pptmedia::PptxDeck deck;
    std::shared_ptr<const pptmedia::ImportedTemplate> design;  // null: the built-in design
};

// Throws pptmedia::MediaError naming the file and what is wrong, as
// readBinaryDesign does.
BinaryPresentation readBinaryPresentation(const std::filesystem::path& path, const std::string& displayName);
BinaryPresentation readBinaryPresentationBytes(std::string_view file, const std::string& displayName,
                                               const pptmedia::PptxReadOptions& options = {});

// What a compound file embedded as an object holds: a presentation with its
// first slide (without pictures), a Word document, or neither.
pptmedia::LegacyDocument describeLegacyDocument(const std::filesystem::path& path, const std::string& displayName);

}  // namespace ppt
