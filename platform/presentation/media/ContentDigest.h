// A stable digest of a byte sequence (SHA-256, lower-case hex), used to
// store each distinct picture once however often it is placed.
#pragma once

#include <span>
#include <string>

namespace pptmedia {

std::string contentDigest(std::span<const std::uint8_t> data);

}  // namespace pptmedia
