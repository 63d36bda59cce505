// UTF-8, UTF-16 and code points converted into one another without failure:
// every ill-formed sequence becomes one U+FFFD (per maximal subpart, as the
// Unicode standard recommends), and so does a lone surrogate. The one place
// of the tree that converts; the COM strings (BSTR), the XML writer, the
// previews and both stand-ins use it.
#pragma once

#include <string>
#include <string_view>

namespace office {

std::u16string utf8ToUtf16(std::string_view text);
std::string utf16ToUtf8(std::u16string_view text);
std::u32string utf8ToUtf32(std::string_view text);
std::u16string utf32ToUtf16(std::u32string_view text);
std::string utf32ToUtf8(std::u32string_view text);

// The code point at text[i], i moved past it (U+FFFD for an ill-formed
// sequence, which is left at the first byte that cannot continue it).
char32_t nextUtf8(std::string_view text, std::size_t& i);
// The code point at text[i], i moved past it: a surrogate pair is one, a
// lone surrogate is U+FFFD.
char32_t nextUtf16(std::u16string_view text, std::size_t& i);
void appendUtf8(std::string& out, char32_t c);
void appendUtf16(std::u16string& out, char32_t c);

}  // namespace office
