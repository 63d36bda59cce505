// The font record and the paragraph style table.
#include <gtest/gtest.h>

#include "text/FontData.h"
#include "text/ParagraphStyles.h"

namespace {

TEST(FontData, EveryFieldTakesPartInTheComparisonAndClearDropsTheName)
{
    const FontData base;
    EXPECT_EQ(base.name, KestString("Arial"));
    void (*changes[])(FontData&) = {
        [](FontData& f) { f.name = "arial"; },   [](FontData& f) { f.clear(); },
        [](FontData& f) { f.size = 12; },        [](FontData& f) { f.bold = true; },
        [](FontData& f) { f.italic = true; },    [](FontData& f) { f.underline = true; },
        [](FontData& f) { f.strike = true; },
    };
    for (auto change : changes) {
        FontData other = base;
        change(other);
        EXPECT_TRUE(other != base);
        EXPECT_FALSE(base != base);
    }
}

// Normal, List Bullet, Heading 1 and 2: scripts/StylesAndFonts.orvel, Bullets.orvel.
TEST(ParagraphStyles, NameGivesItsRow)
{
    struct Row {
        const char* name;
        bool bullet;
        const char* font;
        short size;
        bool bold, italic;
    } rows[] = {{"List Bullet 2", true, "", 0, false, false},
                {"My List Bullet", true, "", 0, false, false},
                {"Heading 3", false, "Arial", 24, true, false},
                {"Heading 4", false, "Arial", 24, false, false},
                {"Heading 5", false, "Times New Roman", 22, true, false},
                {"Heading 6", false, "Times New Roman", 22, false, true},
                // Names outside the table: exact, case-sensitive, untrimmed.
                {"heading 1", false, "Times New Roman", 20, false, false},
                {"Heading 1 ", false, "Times New Roman", 20, false, false},
                {"Heading 12", false, "Times New Roman", 20, false, false},
                {"Heading 7", false, "Times New Roman", 20, false, false},
                {"list bullet", false, "Times New Roman", 20, false, false},
                {"", false, "Times New Roman", 20, false, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ParagraphStyle style = paragraphStyle(KestString(row.name));
        EXPECT_EQ(style.bullet, row.bullet);
        if (row.bullet) continue;
        EXPECT_EQ(style.font.name, KestString(row.font));
        EXPECT_EQ(style.font.size, row.size);
        EXPECT_EQ(style.font.bold, row.bold);
        EXPECT_EQ(style.font.italic, row.italic);
        EXPECT_FALSE(style.font.underline || style.font.strike);
    }
}

}  // namespace
