// word/fontTable.xml: the fonts the document names, with the family and
// pitch a reader substitutes by when a font is missing.
#pragma once

#include <set>
#include <string>

namespace word {

std::string fontTableXml(const std::set<std::string>& fontNames);

}  // namespace word
