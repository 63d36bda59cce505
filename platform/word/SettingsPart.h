// word/settings.xml: document settings; the compatibility mode makes Word
// lay the document out with its current rules, as LibreOffice does.
#pragma once

#include <string>

namespace word {

std::string settingsXml();

}  // namespace word
