// Windows mnemonics in GTK's spelling: "&File" -> "_File", "&&" -> "&",
// "_" -> "__".
#pragma once

#include <string>

namespace ui {

std::string gtkMnemonic(const std::string& text);

}  // namespace ui
