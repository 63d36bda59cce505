// Small pictures made on the spot, in the formats the stand-in recognises.
#pragma once

#include <cstdint>
#include <string>

namespace wordtest {

// A real, decodable PNG: a diagonal gradient, optionally with a resolution.
std::string makePng(std::uint32_t width, std::uint32_t height, std::uint32_t pixelsPerMetre = 0);
// Headers only: enough to be recognised and measured, not to be shown.
std::string gifHeader(std::uint16_t width, std::uint16_t height);
std::string jpegHeader(std::uint16_t width, std::uint16_t height, std::uint16_t dpi = 0);
std::string bmpHeader(std::int32_t width, std::int32_t height);
std::string emfHeader(std::int32_t widthHundredthsMm, std::int32_t heightHundredthsMm);

}  // namespace wordtest
