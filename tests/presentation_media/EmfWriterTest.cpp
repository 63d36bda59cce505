// The EMF writer produces files whose record structure our own reader and
// the format's rules accept, with text stored as written.
#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "TestFiles.h"
#include "media/EmfRecords.h"
#include "media/EmfWriter.h"
#include "media/PictureSniffer.h"

using namespace pptmedia;

namespace {

std::uint32_t u32(const Bytes& b, std::size_t at)
{
    std::uint32_t v;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}

// Record type -> count, walking the file's record chain.
std::map<std::uint32_t, int> recordCounts(const Bytes& emf, std::uint32_t* records = nullptr)
{
    std::map<std::uint32_t, int> counts;
    std::size_t at = 0;
    std::uint32_t n = 0;
    while (at + 8 <= emf.size()) {
        std::uint32_t type = u32(emf, at), size = u32(emf, at + 4);
        EXPECT_EQ(size % 4, 0u);
        EXPECT_GE(size, 8u);
        ++counts[type];
        ++n;
        at += size;
        if (type == emf::EMR_EOF) break;
    }
    EXPECT_EQ(at, emf.size());
    if (records) *records = n;
    return counts;
}

}  // namespace

TEST(EmfWriter, WritesAConsistentHeaderAndRecordChain)
{
    EmfWriter emf(200, 100);
    emf.fillRect(0, 0, 200, 100, {255, 255, 255});
    emf.line(0, 0, 200, 100, 0.5, {0, 0, 0});
    emf.line(0, 100, 200, 0, 0.5, {0, 0, 0});  // same pen: no new pen record
    emf.frameRect(10, 10, 50, 50, 2, {255, 0, 0});
    Bytes bytes = emf.finish(std::u16string(u"Orvel\0test", 10));

    std::uint32_t records = 0;
    auto counts = recordCounts(bytes, &records);
    EXPECT_EQ(u32(bytes, 48), bytes.size());  // nBytes
    EXPECT_EQ(u32(bytes, 52), records);       // nRecords
    EXPECT_EQ(counts[emf::EMR_HEADER], 1);
    EXPECT_EQ(counts[emf::EMR_EOF], 1);
    EXPECT_EQ(counts[emf::EMR_SETMAPMODE], 1);
    EXPECT_EQ(counts[emf::EMR_CREATEPEN], 2);  // black, then red
    EXPECT_EQ(counts[emf::EMR_CREATEBRUSHINDIRECT], 1);
    EXPECT_EQ(counts[emf::EMR_LINETO], 2);
    // Every object made is deleted again.
    EXPECT_EQ(counts[emf::EMR_DELETEOBJECT], counts[emf::EMR_CREATEPEN] + counts[emf::EMR_CREATEBRUSHINDIRECT]);
    EXPECT_TRUE(mediatest::containsUtf16(bytes, "Orvel"));

    PictureInfo info = sniffPicture(bytes, "t.emf");
    EXPECT_NEAR(info.naturalWidthPt(), 200, 0.05);
    EXPECT_NEAR(info.naturalHeightPt(), 100, 0.05);
    EXPECT_EQ(info.widthPx, 4000u);  // twips
}

TEST(EmfWriter, StoresTextWithOneAdvancePerUnit)
{
    EmfFont font{"Liberation Sans", 12, true, false, true, false};
    std::u16string text = u"Größe \U0001F600";
    std::vector<double> advances = {8.67, 4.67, 7.33, 7.33, 6.67, 3.33, 12.1, 0};  // 0: second half of the pair

    EmfWriter emf(100, 30);
    emf.text(5, 20, text, advances, font, {0, 0, 0});
    emf.text(5, 28, u"again", std::vector<double>{6.67, 7.33, 6.67, 3.33, 7.33}, font, {0, 0, 0});
    Bytes bytes = emf.finish();
    auto counts = recordCounts(bytes);
    EXPECT_EQ(counts[emf::EMR_EXTTEXTOUTW], 2);
    EXPECT_EQ(counts[emf::EMR_EXTCREATEFONTINDIRECTW], 1);  // same font twice: made once
    EXPECT_TRUE(mediatest::containsUtf16(bytes, "again"));
    EXPECT_TRUE(mediatest::containsUtf16(bytes, "Liberation Sans"));

    // The dx array sums to the measured width, in twips.
    std::size_t at = 0;
    while (u32(bytes, at) != emf::EMR_EXTTEXTOUTW) at += u32(bytes, at + 4);
    std::uint32_t chars = u32(bytes, at + 44), offDx = u32(bytes, at + 72);
    ASSERT_EQ(chars, text.size());
    long sum = 0;
    for (std::uint32_t i = 0; i < chars; ++i) sum += static_cast<std::int32_t>(u32(bytes, at + offDx + 4 * i));
    double width = 0;
    for (double a : advances) width += a;
    EXPECT_NEAR(sum, width * 20, 1);
}

TEST(EmfWriter, FinishIsFinal)
{
    EmfWriter emf(10, 10);
    EXPECT_FALSE(emf.finish().empty());
    EXPECT_TRUE(emf.finish().empty());
}
