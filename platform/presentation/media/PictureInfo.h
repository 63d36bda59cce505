// What a picture file is: its format, its size, and how a package stores it.
#pragma once

#include <cstdint>
#include <string_view>

namespace pptmedia {

enum class PictureFormat { Gif, Jpeg, Png, Emf };

// An EMF's frame: the picture's extent in 0.01 mm, as its header gives it.
struct EmfFrame {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

struct PictureInfo {
    PictureFormat format = PictureFormat::Png;
    // Raster formats: pixels. EMF: the bounds of the drawing in device units.
    std::uint32_t widthPx = 0;
    std::uint32_t heightPx = 0;
    // Resolution when the file states one (PNG pHYs, JPEG JFIF); 0 otherwise.
    double dpiX = 0;
    double dpiY = 0;
    EmfFrame frame;  // EMF only

    // The size the picture asks for, in points: EMF from its frame, raster
    // pictures from their pixels at their resolution (96 dpi when unstated).
    double naturalWidthPt() const;
    double naturalHeightPt() const;

    std::string_view contentType() const;  // "image/png", "image/x-emf" ...
    std::string_view extension() const;    // "png", "jpeg", "gif", "emf" (no dot)
    std::string_view formatName() const;   // "PNG", "JPEG", "GIF", "EMF"
};

std::string_view contentTypeOf(PictureFormat format);
std::string_view extensionOf(PictureFormat format);
std::string_view formatNameOf(PictureFormat format);

}  // namespace pptmedia
