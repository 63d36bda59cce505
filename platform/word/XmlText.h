// Text as XML may carry it: UTF-8 decoded leniently, characters that XML 1.0
// forbids dropped, broken sequences and lone surrogates replaced by U+FFFD.
#pragma once

#include <string>
#include <string_view>

namespace word {

// The text with every character XML cannot hold removed or replaced; the
// result is valid UTF-8 and safe to escape.
std::string cleanXmlText(std::string_view utf8);

// Appends text escaped for character content (&, <, >) or, with
// forAttribute, for a double-quoted attribute value (also ", tab, line ends).
// The text is cleaned first.
void appendEscaped(std::string& out, std::string_view utf8, bool forAttribute);

}  // namespace word
