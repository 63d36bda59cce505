#include "media/PictureDecode.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <algorithm>
#include <memory>

#include "media/MediaError.h"
#include "media/PictureSniffer.h"

namespace pptmedia {
namespace {

constexpr double kMostPixels = 40e6;

struct Unref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
using LoaderPtr = std::unique_ptr<GdkPixbufLoader, Unref>;
using PixbufPtr = std::unique_ptr<GdkPixbuf, Unref>;

PixbufPtr load(const Bytes& bytes)
{
    LoaderPtr loader(gdk_pixbuf_loader_new());
    if (!loader) return nullptr;
    GError* error = nullptr;
    bool ok = gdk_pixbuf_loader_write(loader.get(), bytes.data(), bytes.size(), &error);
    // Closing is required even after a failed write; its own error is then beside the point.
    ok = gdk_pixbuf_loader_close(loader.get(), ok ? &error : nullptr) && ok;
    if (error) g_error_free(error);
    GdkPixbuf* pixbuf = ok ? gdk_pixbuf_loader_get_pixbuf(loader.get()) : nullptr;
    if (!pixbuf) return nullptr;
    g_object_ref(pixbuf);  // the loader holds the only reference
    return PixbufPtr(pixbuf);
}

}  // namespace

std::optional<EmfBitmap> decodePicture(const Bytes& bytes, int maxWidthPx, int maxHeightPx)
{
    if (bytes.empty() || maxWidthPx <= 0 || maxHeightPx <= 0) return std::nullopt;
    // Only raster pictures of a size worth decoding: the header says before any pixel is read.
    try {
        PictureInfo info = sniffPicture(bytes, "picture");
        if (info.format == PictureFormat::Emf || double(info.widthPx) * info.heightPx > kMostPixels) return std::nullopt;
    } catch (const MediaError&) {
        return std::nullopt;
    }
    PixbufPtr source = load(bytes);
    if (!source) return std::nullopt;
    const int width = std::min(maxWidthPx, gdk_pixbuf_get_width(source.get()));
    const int height = std::min(maxHeightPx, gdk_pixbuf_get_height(source.get()));
    if (width <= 0 || height <= 0) return std::nullopt;
    // Scaled onto a white canvas, which also removes any transparency.
    PixbufPtr canvas(gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, width, height));
    if (!canvas) return std::nullopt;
    gdk_pixbuf_fill(canvas.get(), 0xFFFFFFFF);
    gdk_pixbuf_composite(source.get(), canvas.get(), 0, 0, width, height, 0, 0,
                         double(width) / gdk_pixbuf_get_width(source.get()),
                         double(height) / gdk_pixbuf_get_height(source.get()), GDK_INTERP_BILINEAR, 255);

    EmfBitmap bitmap;
    bitmap.widthPx = width;
    bitmap.heightPx = height;
    bitmap.rgb.reserve(std::size_t(width) * height * 3);
    const guchar* pixels = gdk_pixbuf_read_pixels(canvas.get());
    const int stride = gdk_pixbuf_get_rowstride(canvas.get()), channels = gdk_pixbuf_get_n_channels(canvas.get());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const guchar* p = pixels + std::size_t(y) * stride + std::size_t(x) * channels;
            bitmap.rgb.insert(bitmap.rgb.end(), p, p + 3);
        }
    return bitmap;
}

}  // namespace pptmedia
