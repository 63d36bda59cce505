// Pictures turned into pixels for drawing inside a preview: PNG, JPEG and
// GIF, scaled down to the size they are shown at, transparency laid on
// white.
#pragma once

#include <optional>

#include "media/Bytes.h"
#include "media/EmfWriter.h"

namespace pptmedia {

// nullopt when the bytes are not a picture that can be decoded (an EMF, a
// damaged file, one of more than 40 million pixels). The result is at most maxWidthPx by maxHeightPx, never
// larger than the picture itself.
std::optional<EmfBitmap> decodePicture(const Bytes& bytes, int maxWidthPx, int maxHeightPx);

}  // namespace pptmedia
