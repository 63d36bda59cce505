#include "media/PictureSniffer.h"

#include "office/package/FileBytes.h"
#include "media/MediaError.h"
#include "media/PictureProbes.h"

namespace pptmedia {

namespace probes {

void damaged(PictureFormat format, const std::string& displayName, const std::string& why)
{
    throw MediaError(MediaErrorKind::DamagedPicture, "picture file " + quoteName(displayName) + " is a damaged " +
                                                         std::string(formatNameOf(format)) + " picture: " + why);
}

}  // namespace probes

std::optional<PictureFormat> detectPictureFormat(std::span<const std::uint8_t> data)
{
    if (probes::looksLikePng(data)) return PictureFormat::Png;
    if (probes::looksLikeGif(data)) return PictureFormat::Gif;
    if (probes::looksLikeJpeg(data)) return PictureFormat::Jpeg;
    if (probes::looksLikeEmf(data)) return PictureFormat::Emf;
    return std::nullopt;
}

PictureInfo sniffPicture(std::span<const std::uint8_t> data, const std::string& displayName)
{
    if (data.empty())
        throw MediaError(MediaErrorKind::NotAPicture,
                         "picture file " + quoteName(displayName) + " is empty, not a GIF, JPEG, PNG or EMF picture");
    auto format = detectPictureFormat(data);
    if (!format)
        throw MediaError(MediaErrorKind::NotAPicture,
                         "picture file " + quoteName(displayName) + " is not a GIF, JPEG, PNG or EMF picture");
    switch (*format) {
    case PictureFormat::Png: return probes::probePng(data, displayName);
    case PictureFormat::Gif: return probes::probeGif(data, displayName);
    case PictureFormat::Jpeg: return probes::probeJpeg(data, displayName);
    case PictureFormat::Emf: return probes::probeEmf(data, displayName);
    }
    throw MediaError(MediaErrorKind::NotAPicture, "picture file " + quoteName(displayName) + " has an unknown format");
}

LoadedPicture loadPicture(const std::filesystem::path& path, const std::string& displayName)
{
    LoadedPicture picture;
    picture.bytes = office::readFileBytes(path, displayName);
    picture.info = sniffPicture(picture.bytes, displayName);
    return picture;
}

}  // namespace pptmedia
