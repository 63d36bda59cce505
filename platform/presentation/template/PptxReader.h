// Reading a PresentationML package (a deck, template or slide show, under
// any name) into a PptxDeck.
#pragma once

#include <filesystem>
#include <string>

#include <pugixml.hpp>

#include "template/PptxDeck.h"

namespace office {
class OpcPackage;
}

namespace pptmedia {

// Throws MediaError: FileNotFound, LegacyBinaryFormat, NotAPackage (not
// PresentationML), DamagedPackage, UnsafePackage.
PptxDeck readPresentation(const std::filesystem::path& path, const std::string& displayName,
                          const PptxReadOptions& options = {});
PptxDeck readPresentation(const office::OpcPackage& package, const std::string& mainPart,
                          const PptxReadOptions& options = {});

// The slide size <p:sldSz> gives in a presentation part's root element, in
// points; the sizes stay as they are when it is missing or not positive.
void readSlideSize(const pugi::xml_node& presentation, double& widthPt, double& heightPt);

}  // namespace pptmedia
