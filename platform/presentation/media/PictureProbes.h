// One probe per picture format (internal to the sniffer). Each checks the
// signature cheaply (`looksLike...`) and, for a match, walks the file's
// structure to its end: a picture that is cut short or inconsistent throws
// MediaError(DamagedPicture) naming `displayName`.
#pragma once

#include <span>
#include <string>

#include "media/PictureInfo.h"

namespace pptmedia::probes {

using Data = std::span<const std::uint8_t>;

bool looksLikePng(Data data);
bool looksLikeGif(Data data);
bool looksLikeJpeg(Data data);
bool looksLikeEmf(Data data);

PictureInfo probePng(Data data, const std::string& displayName);
PictureInfo probeGif(Data data, const std::string& displayName);
PictureInfo probeJpeg(Data data, const std::string& displayName);
PictureInfo probeEmf(Data data, const std::string& displayName);

// "picture file 'x.png' is a damaged PNG picture (why)"
[[noreturn]] void damaged(PictureFormat format, const std::string& displayName, const std::string& why);

}  // namespace pptmedia::probes
