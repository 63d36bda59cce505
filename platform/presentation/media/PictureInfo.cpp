#include "media/PictureInfo.h"

namespace pptmedia {
namespace {

constexpr double kDefaultDpi = 96.0;
constexpr double kPointsPerHundredthMm = 72.0 / 2540.0;

double rasterPoints(std::uint32_t pixels, double dpi)
{
    return pixels * 72.0 / (dpi > 0 ? dpi : kDefaultDpi);
}

}  // namespace

std::string_view contentTypeOf(PictureFormat format)
{
    switch (format) {
    case PictureFormat::Gif: return "image/gif";
    case PictureFormat::Jpeg: return "image/jpeg";
    case PictureFormat::Png: return "image/png";
    case PictureFormat::Emf: return "image/x-emf";
    }
    return "application/octet-stream";
}

std::string_view extensionOf(PictureFormat format)
{
    switch (format) {
    case PictureFormat::Gif: return "gif";
    case PictureFormat::Jpeg: return "jpeg";
    case PictureFormat::Png: return "png";
    case PictureFormat::Emf: return "emf";
    }
    return "bin";
}

std::string_view formatNameOf(PictureFormat format)
{
    switch (format) {
    case PictureFormat::Gif: return "GIF";
    case PictureFormat::Jpeg: return "JPEG";
    case PictureFormat::Png: return "PNG";
    case PictureFormat::Emf: return "EMF";
    }
    return "?";
}

double PictureInfo::naturalWidthPt() const
{
    if (format == PictureFormat::Emf) return (static_cast<double>(frame.right) - frame.left) * kPointsPerHundredthMm;
    return rasterPoints(widthPx, dpiX);
}

double PictureInfo::naturalHeightPt() const
{
    if (format == PictureFormat::Emf) return (static_cast<double>(frame.bottom) - frame.top) * kPointsPerHundredthMm;
    return rasterPoints(heightPx, dpiY);
}

std::string_view PictureInfo::contentType() const { return contentTypeOf(format); }
std::string_view PictureInfo::extension() const { return extensionOf(format); }
std::string_view PictureInfo::formatName() const { return formatNameOf(format); }

}  // namespace pptmedia
