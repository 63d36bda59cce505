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
        {picture("gradient-96x48.png"), ImageType::Png, 72, 36},
        {picture("gradient-30x15-30dpi.png"), ImageType::Png, 72, 36},
        {picture("header-192x96.gif"), ImageType::Gif, 144, 72},
        {picture("header-144x72-144dpi.jpg"), ImageType::Jpeg, 72, 36},
        {picture("header-48x24-topdown.bmp"), ImageType::Bmp, 36, 18},
        {picture("header-25.4x12.7mm.emf"), ImageType::Emf, 72, 36},
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
                                   picture("gradient-8x8.png").substr(0, 20),  // cut inside the header
                                   // no width, no height, a negative width
                                   patched(picture("gradient-8x8.png"), 16, std::string(4, '\0')),
                                   patched(picture("header-192x96.gif"), 6, std::string(2, '\0')),
                                   patched(picture("header-144x72-144dpi.jpg"), 25, std::string(2, '\0')),
                                   patched(picture("header-48x24-topdown.bmp"), 18, std::string(4, '\0')),
                                   patched(picture("header-25.4x12.7mm.emf"), 32, "\x9C\xFF\xFF\xFF"),
                                   std::string("\xFF\xD8\xFF\xD9", 4)})  // a JPEG without a frame
        EXPECT_FALSE(imageFromBytes(bad)) << bad.size();

    testenv::TempDir dir;
    testenv::writeFile(dir / "picture.dat", picture("gradient-8x8.png"));  // the name does not matter
    auto image = loadImage(dir / "picture.dat");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->type, ImageType::Png);
    EXPECT_FALSE(loadImage(dir / "missing.png"));
    EXPECT_FALSE(loadImage(dir.path()));  // a folder
    testenv::writeFile(dir / "empty.png", "");
    EXPECT_FALSE(loadImage(dir / "empty.png"));
}
