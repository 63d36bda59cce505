// Fonts found by family and style with fontconfig's fallbacks, widths
// shaped in ems, vertical metrics from the face, an estimate without a font.
#include <gtest/gtest.h>

#include "office/text/FontCatalog.h"

namespace {

office::Font& font(const char* family, bool bold = false, bool italic = false)
{
    return office::FontCatalog::instance().font(family, bold, italic);
}

TEST(Font, FamiliesResolveToTheMetricCompatibleFaces)
{
    office::Font& sans = font("Arial");
    EXPECT_NE(sans.file().find("LiberationSans-Regular"), std::string::npos) << sans.file();
    EXPECT_NE(font("Arial", true).file().find("LiberationSans-Bold"), std::string::npos);
    EXPECT_NE(font("Times New Roman", false, true).file().find("LiberationSerif-Italic"), std::string::npos);
    EXPECT_NE(font("Courier New").file().find("LiberationMono"), std::string::npos);
    EXPECT_EQ(&sans, &font("Liberation Sans"));  // one face per file, whatever name leads to it
    office::Font& unknown = font("No Such Font At All");  // substituted, still measured
    EXPECT_TRUE(unknown.found());
    EXPECT_GT(unknown.width(u"Table"), 1.0);
}

TEST(Font, WidthsAreShapedAdvancesInEms)
{
    office::Font& sans = font("Arial");
    // Liberation Sans: "W" is 0.944 em, "i" 0.222 em; Mono 0.6 em for every character.
    EXPECT_NEAR(sans.width(u"W"), 0.944, 0.001);
    EXPECT_NEAR(sans.width(u"iiii"), 0.889, 0.001);
    EXPECT_NEAR(font("Courier New").width(u"abcdefghij"), 6.0, 0.01);
    EXPECT_GT(font("Arial", true).width(u"Heading"), sans.width(u"Heading"));
    // Either encoding, cached or not, gives the same width.
    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_DOUBLE_EQ(sans.width("Größe"), sans.width(u"Größe"));
        EXPECT_DOUBLE_EQ(sans.advance(U'W'), sans.width(u"W"));
    }
    EXPECT_DOUBLE_EQ(sans.advance(U'\U0001F600'), sans.width(u"\U0001F600"));
    EXPECT_EQ(sans.width(u""), 0);

    // The line: ascent and descent from the face (1.117 em), the gap on top.
    const office::FontMetrics& m = sans.metrics();
    EXPECT_NEAR(m.ascent + m.descent, 1.117, 0.001);
    EXPECT_GE(m.lineHeight, m.ascent + m.descent);
}

TEST(Font, WithoutAFileTextIsEstimated)
{
    office::Font none("", 0);
    EXPECT_FALSE(none.found());
    EXPECT_DOUBLE_EQ(none.width(u"abcd"), 2.0);
    EXPECT_DOUBLE_EQ(none.width("äbcd"), 2.0);  // characters, not bytes
    EXPECT_DOUBLE_EQ(none.advance(U'x'), 0.5);
    EXPECT_DOUBLE_EQ(none.metrics().lineHeight, office::FontMetrics{}.lineHeight);
    office::Font unreadable("/nonexistent/font.ttf", 0);
    EXPECT_FALSE(unreadable.found());
}

}  // namespace
