// The main master of a .ppt: its colour scheme, title and body text styles,
// background and the shapes every slide shows behind its own (a template's
// pictures and plain shapes, then the deck's footer placeholders).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "binary/DeckContext.h"

namespace ppt::binary {

std::string mainMasterRecord(DeckContext& deck);

// The design's colours as 0x00BBGGRR: background, text, shadow, title,
// fill, accent, hyperlink, followed hyperlink.
std::array<std::uint32_t, 8> schemeColours(const DeckContext& deck);
// The same as a ColorSchemeAtom; every page carries one.
void writeColorScheme(RecordStream& out, std::uint16_t instance, const DeckContext& deck);

}  // namespace ppt::binary
