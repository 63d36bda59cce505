// The main master's design from the streams of a .ppt or .pot: the document
// found through the persist directory, its first main master, the colour
// scheme, the background and the master's shapes from its drawing, the
// title and body text styles with their fonts, and the footer settings.
#pragma once

#include <string_view>

#include "binary/MasterDesign.h"

namespace ppt::binary {

// Throws FormatError saying what is wrong.
MasterDesign readMasterDesign(std::string_view document, std::string_view currentUser, std::string_view pictures);

}  // namespace ppt::binary
