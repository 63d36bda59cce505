// The font record and the paragraph style table.
#include <gtest/gtest.h>

#include "text/FontData.h"
#include "text/ParagraphStyles.h"

namespace {

TEST(FontData, DefaultAndClearedRecordsDifferByTheirNameOnly)
{
    FontData a, b;
    EXPECT_FALSE(a != b);
    EXPECT_EQ(a.name, KestString("Arial"));
    FontData cleared;
    cleared.clear();
    EXPECT_TRUE(a != cleared);
    EXPECT_TRUE(cleared.name.isEmpty());
    cleared.name = "Arial";
    EXPECT_FALSE(a != cleared);
}

TEST(FontData, EveryFieldTakesPartInTheComparison)
{
    FontData base;
    auto differs = [&](auto change) {
        FontData other = base;
        change(other);
        return other != base;
    };
    EXPECT_TRUE(differs([](FontData& f) { f.name = "arial"; }));
    EXPECT_TRUE(differs([](FontData& f) { f.name = "Arial "; }));
    EXPECT_TRUE(differs([](FontData& f) { f.size = 12; }));
    EXPECT_TRUE(differs([](FontData& f) { f.bold = true; }));
    EXPECT_TRUE(differs([](FontData& f) { f.italic = true; }));
    EXPECT_TRUE(differs([](FontData& f) { f.underline = true; }));
    EXPECT_TRUE(differs([](FontData& f) { f.strike = true; }));
}

struct StyleRow {
    const char* name;
    bool bullet;
    const char* font;
    short size;
    bool bold, italic;
};

class StyleTable : public ::testing::TestWithParam<StyleRow> {};

TEST_P(StyleTable, NameGivesItsRow)
{
    const StyleRow& row = GetParam();
    ParagraphStyle style = paragraphStyle(KestString(row.name));
    EXPECT_EQ(style.bullet, row.bullet);
    if (row.bullet) return;
    EXPECT_EQ(style.font.name, KestString(row.font));
    EXPECT_EQ(style.font.size, row.size);
    EXPECT_EQ(style.font.bold, row.bold);
    EXPECT_EQ(style.font.italic, row.italic);
    EXPECT_FALSE(style.font.underline);
    EXPECT_FALSE(style.font.strike);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StyleTable,
    ::testing::Values(StyleRow{"Normal", false, "Times New Roman", 20, false, false},
                      StyleRow{"List Bullet", true, "", 0, false, false},
                      StyleRow{"List Bullet 2", true, "", 0, false, false},
                      StyleRow{"My List Bullet", true, "", 0, false, false},
                      StyleRow{"Heading 1", false, "Arial", 26, true, false},
                      StyleRow{"Heading 2", false, "Arial", 24, true, true},
                      StyleRow{"Heading 3", false, "Arial", 24, true, false},
                      StyleRow{"Heading 4", false, "Arial", 24, false, false},
                      StyleRow{"Heading 5", false, "Times New Roman", 22, true, false},
                      StyleRow{"Heading 6", false, "Times New Roman", 22, false, true},
                      // Names outside the table: exact, case-sensitive, untrimmed.
                      StyleRow{"heading 1", false, "Times New Roman", 20, false, false},
                      StyleRow{"Heading 1 ", false, "Times New Roman", 20, false, false},
                      StyleRow{"Heading 12", false, "Times New Roman", 20, false, false},
                      StyleRow{"Heading 7", false, "Times New Roman", 20, false, false},
                      StyleRow{"Normal text", false, "Times New Roman", 20, false, false},
                      StyleRow{"list bullet", false, "Times New Roman", 20, false, false},
                      StyleRow{"", false, "Times New Roman", 20, false, false}));

}  // namespace
