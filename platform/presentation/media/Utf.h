// UTF-8 decoding for drawing text: invalid bytes become U+FFFD.
#pragma once

#include <string>
#include <string_view>

namespace pptmedia {

std::u32string decodeUtf8(std::string_view text);
std::u16string toUtf16(std::u32string_view text);
std::string toUtf8(std::u32string_view text);

}  // namespace pptmedia
