#include "PageImage.h"

#include <gtest/gtest.h>

#include "common/PackageCheck.h"

namespace objtest {

PageImage::PageImage(const std::filesystem::path& pdf, int page, const std::filesystem::path& outStem)
{
    const std::string cmd = "pdftoppm -r 72 -png -singlefile -f " + std::to_string(page) + " -l " +
                            std::to_string(page) + " " + testenv::shellQuote(pdf.string()) + " " +
                            testenv::shellQuote(outStem.string());
    auto result = testenv::runCommand(cmd);
    EXPECT_EQ(result.status, 0) << result.output;
    path_ = outStem.string() + ".png";
    image_.reset(gdk_pixbuf_new_from_file(path_.c_str(), nullptr));
}

Rgb PageImage::pixel(int x, int y) const
{
    const guchar* p = gdk_pixbuf_get_pixels(image_.get()) + y * gdk_pixbuf_get_rowstride(image_.get()) +
                      x * gdk_pixbuf_get_n_channels(image_.get());
    return {p[0], p[1], p[2]};
}

bool PageImage::inked(int x, int y) const
{
    const Rgb c = pixel(x, y);
    return c.r < 240 || c.g < 240 || c.b < 240;
}

double PageImage::inkShare(int x, int y, int w, int h) const
{
    int count = 0;
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) count += inked(i, j);
    return static_cast<double>(count) / (w * h);
}

}  // namespace objtest
