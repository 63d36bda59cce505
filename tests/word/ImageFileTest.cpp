// Pictures recognised by content, with their natural size in points.
#include <gtest/gtest.h>

#include "ImageFile.h"
#include "TestImages.h"
#include "common/TestEnv.h"

using namespace word;
using namespace wordtest;

TEST(ImageFile, PngSizeAtDefaultAndGivenResolution)
{
    auto plain = imageFromBytes(makePng(96, 48));
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->type, ImageType::Png);
    EXPECT_DOUBLE_EQ(plain->widthPoints, 72.0);
    EXPECT_DOUBLE_EQ(plain->heightPoints, 36.0);

    auto dense = imageFromBytes(makePng(300, 150, 11811));  // 300 dpi
    ASSERT_TRUE(dense);
    EXPECT_NEAR(dense->widthPoints, 72.0, 0.05);
    EXPECT_NEAR(dense->heightPoints, 36.0, 0.05);
}

TEST(ImageFile, OtherFormatsByContent)
{
    auto gif = imageFromBytes(gifHeader(192, 96));
    ASSERT_TRUE(gif);
    EXPECT_EQ(gif->type, ImageType::Gif);
    EXPECT_DOUBLE_EQ(gif->widthPoints, 144.0);

    auto jpeg = imageFromBytes(jpegHeader(144, 72, 144));
    ASSERT_TRUE(jpeg);
    EXPECT_EQ(jpeg->type, ImageType::Jpeg);
    EXPECT_DOUBLE_EQ(jpeg->widthPoints, 72.0);
    EXPECT_DOUBLE_EQ(jpeg->heightPoints, 36.0);

    auto bmp = imageFromBytes(bmpHeader(48, -24));  // top-down rows
    ASSERT_TRUE(bmp);
    EXPECT_EQ(bmp->type, ImageType::Bmp);
    EXPECT_DOUBLE_EQ(bmp->heightPoints, 18.0);

    auto emf = imageFromBytes(emfHeader(2540, 1270));  // 25.4 mm x 12.7 mm
    ASSERT_TRUE(emf);
    EXPECT_EQ(emf->type, ImageType::Emf);
    EXPECT_NEAR(emf->widthPoints, 72.0, 1e-9);
    EXPECT_NEAR(emf->heightPoints, 36.0, 1e-9);
}

TEST(ImageFile, RefusesWhatIsNoPicture)
{
    EXPECT_FALSE(imageFromBytes(""));
    EXPECT_FALSE(imageFromBytes("just some text that is long enough to look at"));
    std::string png = makePng(10, 10);
    EXPECT_FALSE(imageFromBytes(png.substr(0, 20)));  // cut inside the header
    EXPECT_FALSE(imageFromBytes(makePng(0, 10)));     // no pixels
    EXPECT_FALSE(imageFromBytes(gifHeader(0, 5)));
    EXPECT_FALSE(imageFromBytes(jpegHeader(10, 0)));
    EXPECT_FALSE(imageFromBytes(bmpHeader(0, 10)));
    EXPECT_FALSE(imageFromBytes(emfHeader(-100, 100)));
    std::string jpegWithoutFrame("\xFF\xD8\xFF\xD9", 4);
    EXPECT_FALSE(imageFromBytes(jpegWithoutFrame));
}

TEST(ImageFile, LoadsFilesAndSkipsMissingOnes)
{
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
