// The byte buffer every reader and writer of this library passes around:
// the office library's, which its package reader returns.
#pragma once

#include "office/package/Bytes.h"

namespace pptmedia {

using office::asText;
using office::Bytes;
using office::toBytes;

}  // namespace pptmedia
