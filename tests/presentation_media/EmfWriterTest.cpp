// The EMF writer produces files whose record structure our own reader and
// the format's rules accept, with text stored as written.
#include <gtest/gtest.h>

#include <map>

#include "TestFiles.h"
#include "media/EmfRecords.h"
#include "media/EmfWriter.h"
#include "media/PictureSniffer.h"

using namespace pptmedia;
using mediatest::le32;

namespace {

std::map<std::uint32_t, int> recordCounts(const Bytes& emf)
{
    std::map<std::uint32_t, int> counts;
    for (const mediatest::EmfRecord& r : mediatest::emfRecords(emf)) ++counts[r.type];
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
    EXPECT_TRUE(emf.finish().empty());  // finish is final

    auto counts = recordCounts(bytes);
    EXPECT_EQ(le32(bytes, 48), bytes.size());                      // nBytes
    EXPECT_EQ(le32(bytes, 52), mediatest::emfRecords(bytes).size());  // nRecords
    EXPECT_EQ(mediatest::emfRecords(bytes).back().type, emf::EMR_EOF);
    EXPECT_EQ(counts[emf::EMR_HEADER], 1);
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
    for (const mediatest::EmfRecord& r : mediatest::emfRecords(bytes))
        if (r.type == emf::EMR_EXTTEXTOUTW && !at) at = r.at;
    std::uint32_t chars = le32(bytes, at + 44), offDx = le32(bytes, at + 72);
    ASSERT_EQ(chars, text.size());
    long sum = 0;
    for (std::uint32_t i = 0; i < chars; ++i) sum += static_cast<std::int32_t>(le32(bytes, at + offDx + 4 * i));
    double width = 0;
    for (double a : advances) width += a;
    EXPECT_NEAR(sum, width * 20, 1);
}
