#include "media/PictureInfo.h"

namespace pptmedia {
namespace {

constexpr double kDefaultDpi = 96.0;
constexpr double kPointsPerHundredthMm = 72.0 / 2540.0;

double rasterPoints(std::uint32_t pixels, double dpi)
{
    return pixels * 72.0 / (dpi > 0 ? dpi : kDefaultDpi);
}

struct FormatNames {
    std::string_view contentType, extension, name;
};

FormatNames namesOf(PictureFormat format)
{
    switch (format) {
    case PictureFormat::Gif: return {"image/gif", "gif", "GIF"};
    case PictureFormat::Jpeg: return {"image/jpeg", "jpeg", "JPEG"};
    case PictureFormat::Png: return {"image/png", "png", "PNG"};
    case PictureFormat::Emf: return {"image/x-emf", "emf", "EMF"};
    }
    return {"application/octet-stream", "bin", "?"};
}

}  // namespace

std::string_view contentTypeOf(PictureFormat format) { return namesOf(format).contentType; }
std::string_view extensionOf(PictureFormat format) { return namesOf(format).extension; }
std::string_view formatNameOf(PictureFormat format) { return namesOf(format).name; }

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
