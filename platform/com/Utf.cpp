// The component's UTF-8 <-> UTF-16 conversions are the office library's:
// one behaviour for ill-formed text everywhere in the tree.
#include "com/ComString.h"
#include "office/package/Unicode.h"

namespace com {

std::u16string utf8ToUtf16(std::string_view text) { return office::utf8ToUtf16(text); }
std::string utf16ToUtf8(std::u16string_view text) { return office::utf16ToUtf8(text); }

}  // namespace com
