// Recognising a picture by its content (never by its name): GIF, JPEG, PNG
// or EMF, checked through to its end, with its size and resolution.
#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>

#include "media/Bytes.h"
#include "media/PictureInfo.h"

namespace pptmedia {

// The format whose signature `data` starts with; no further checks.
std::optional<PictureFormat> detectPictureFormat(std::span<const std::uint8_t> data);

// Identifies and checks a whole picture. `displayName` names it in errors.
// Throws MediaError: NotAPicture (empty, or unknown content), DamagedPicture
// (cut short, bad CRC, inconsistent structure).
PictureInfo sniffPicture(std::span<const std::uint8_t> data, const std::string& displayName);

struct LoadedPicture {
    Bytes bytes;
    PictureInfo info;
};

// Reads and sniffs a picture file; adds FileNotFound, FileUnreadable and
// TooLarge to the errors of sniffPicture.
LoadedPicture loadPicture(const std::filesystem::path& path, const std::string& displayName);

}  // namespace pptmedia
