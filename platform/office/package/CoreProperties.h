// docProps/core.xml: who made the package and when (W3CDTF, UTC), and
// optionally its title.
#pragma once

#include <ctime>
#include <optional>
#include <string_view>

#include "office/package/XmlWriter.h"

namespace office {

// The <cp:coreProperties> element (the caller writes the declaration).
void writeCoreProperties(XmlWriter& xml, std::time_t when, std::optional<std::u16string_view> title = {});

}  // namespace office
