// Pictures recognised by content, with their natural size in points.
#include <gtest/gtest.h>

#include "ImageFile.h"
#include "TestImages.h"
#include "common/TestEnv.h"

using namespace word;
using namespace wordtest;

TEST(ImageFile, EachFormatByContentWithItsSizeAndResolution)
{
    struct Case {
        std::string bytes;
        ImageType type;
        double width, height;
    } cases[] = {
        {makePng(96, 48), ImageType::Png, 72, 36},
        {makePng(300, 150, 11811), ImageType::Png, 72, 36},  // 300 dpi
        {gifHeader(192, 96), ImageType::Gif, 144, 72},
        {jpegHeader(144, 72, 144), ImageType::Jpeg, 72, 36},
        {bmpHeader(48, -24), ImageType::Bmp, 36, 18},  // top-down rows
        {emfHeader(2540, 1270), ImageType::Emf, 72, 36},  // 25.4 mm x 12.7 mm
    };
    for (const Case& c : cases) {
        auto image = imageFromBytes(c.bytes);
        ASSERT_TRUE(image) << c.width;
        EXPECT_EQ(image->type, c.type);
        EXPECT_NEAR(image->widthPoints, c.width, 0.05);
        EXPECT_NEAR(image->heightPoints, c.height, 0.05);
    }
}

TEST(ImageFile, RefusesWhatIsNoPictureAndSkipsMissingFiles)
{
    for (const std::string& bad : {std::string(), std::string("just some text that is long enough to look at"),
                                   makePng(10, 10).substr(0, 20),  // cut inside the header
                                   makePng(0, 10), gifHeader(0, 5), jpegHeader(10, 0), bmpHeader(0, 10),
                                   emfHeader(-100, 100), std::string("\xFF\xD8\xFF\xD9", 4)})  // a JPEG without a frame
        EXPECT_FALSE(imageFromBytes(bad)) << bad.size();

    testenv::TempDir dir;
    testenv::writeFile(dir / "picture.dat", makePng(8, 8));  // the name does not matter
    auto image = loadImage(dir / "picture.dat");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->type, ImageType::Png);
    EXPECT_FALSE(loadImage(dir / "missing.png"));
    EXPECT_FALSE(loadImage(dir.path()));  // a folder
    testenv::writeFile(dir / "empty.png", "");
    EXPECT_FALSE(loadImage(dir / "empty.png"));
}
