// One page of a PDF rendered to PNG at 72 dpi (a pixel is a point), for
// checking where LibreOffice put ink.
#pragma once

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <filesystem>
#include <memory>
#include <string>

namespace objtest {

struct Rgb {
    int r = 0, g = 0, b = 0;
};

class PageImage {
public:
    // Renders page `page` (1-based) of `pdf` to outStem + ".png".
    PageImage(const std::filesystem::path& pdf, int page, const std::filesystem::path& outStem);
    bool valid() const { return image_ != nullptr; }
    Rgb pixel(int x, int y) const;
    // Whether the pixel at (x, y) points is other than white.
    bool inked(int x, int y) const;
    // The share of inked pixels in a box (x, y, w, h in points).
    double inkShare(int x, int y, int w, int h) const;
    const std::string& path() const { return path_; }

private:
    struct Unref {
        void operator()(GdkPixbuf* p) const { g_object_unref(p); }
    };
    std::string path_;
    std::unique_ptr<GdkPixbuf, Unref> image_;
};

}  // namespace objtest
