// Each distinct picture is stored once (by its digest), under stable part names.
#include <gtest/gtest.h>

#include "TestFiles.h"
#include "media/MediaStore.h"

using namespace pptmedia;

TEST(MediaStore, StoresEqualContentOnceAndKeepsDifferentContentApart)
{
    MediaStore store;
    Bytes png = mediatest::pngPicture(8, 8), gif = mediatest::gifPicture(8, 8);

    auto first = store.add(png, "png", "image/png");
    auto second = store.add(gif, "gif", "image/gif");
    auto again = store.add(png, "jpeg", "image/jpeg");  // same bytes: name and type of the first stay

    EXPECT_TRUE(first.isNew);
    EXPECT_TRUE(second.isNew);
    EXPECT_FALSE(again.isNew);
    EXPECT_EQ(again.index, first.index);
    ASSERT_EQ(store.size(), 2u);
    EXPECT_EQ(store.item(0).partName, "/ppt/media/image1.png");
    EXPECT_EQ(store.item(0).contentType, "image/png");
    EXPECT_EQ(store.item(1).partName, "/ppt/media/image2.gif");
    EXPECT_EQ(store.item(0).bytes, png);

    // Different content of equal size is kept apart, under the store's own prefix.
    MediaStore word("/word/media/pic");
    auto a = word.add(Bytes{1, 2, 3}, "bin", "application/octet-stream");
    auto b = word.add(Bytes{1, 2, 4}, "bin", "application/octet-stream");
    EXPECT_NE(a.index, b.index);
    EXPECT_EQ(word.item(b.index).partName, "/word/media/pic2.bin");
}
