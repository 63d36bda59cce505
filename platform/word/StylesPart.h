// word/styles.xml: the document defaults (font, size, single-spaced
// paragraphs without extra space) and the few styles the document uses.
#pragma once

#include <string>

namespace word {

std::string stylesXml();

}  // namespace word
