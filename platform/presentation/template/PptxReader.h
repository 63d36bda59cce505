// Reading a PresentationML package (a deck, template or slide show, under
// any name) into a PptxDeck.
#pragma once

#include <filesystem>
#include <string>

#include "template/PptxDeck.h"

namespace pptmedia {

class OpcPackage;

// Throws MediaError: FileNotFound, LegacyBinaryFormat, NotAPackage (not
// PresentationML), DamagedPackage, UnsafePackage.
PptxDeck readPresentation(const std::filesystem::path& path, const std::string& displayName,
                          const PptxReadOptions& options = {});
PptxDeck readPresentation(const OpcPackage& package, const std::string& mainPart,
                          const PptxReadOptions& options = {});

}  // namespace pptmedia
