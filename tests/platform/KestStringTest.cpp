#include <gtest/gtest.h>

#include <sstream>

#include "support/KestString.h"

namespace {

// Replaced text is not scanned again; overlapping occurrences are taken left to right.
TEST(KestStringReplace, EveryOccurrenceOnce)
{
    struct Case {
        const char *text, *from, *to, *expected;
    } cases[] = {
        {"aaa", "a", "aa", "aaaaaa"}, {"a\\b", "\\", "\\\\", "a\\\\b"}, {"xax", "a", "xax", "xxaxx"},
        {"aaa", "aa", "b", "ba"},     {"aaaa", "aa", "b", "bb"},          {"ababab", "aba", "X", "Xbab"},
        {"", "a", "b", ""},           {"abc", "", "x", "abc"},            {"abc", "abc", "", ""},
        {"a-b-c", "-", "", "abc"},    {"abc", "abcd", "x", "abc"},        {"<br><br>", "<br>", "\n", "\n\n"},
    };
    for (const Case& c : cases) {
        KestString s(c.text);
        s.replaceStr(c.from, c.to);
        EXPECT_EQ(s, KestString(c.expected)) << c.text << " " << c.from << " " << c.to;
    }
}

TEST(KestStringSearch, PositionsAndNpos)
{
    KestString s("hello world");
    EXPECT_EQ(s.find("world"), 6u);
    EXPECT_EQ(s.find("World"), KestString::npos);  // case-sensitive
    EXPECT_EQ(s.find(""), 0u);
    EXPECT_EQ(s.first('o'), 4u);
    EXPECT_EQ(s.last('o'), 7u);
    EXPECT_EQ(s.first('z'), KestString::npos);
    EXPECT_EQ(s.first(KestString(" w")), 5u);
    EXPECT_EQ(s.first(KestString("")), KestString::npos);
    EXPECT_TRUE(s.startsWith(""));
    EXPECT_TRUE(s.startsWith(nullptr));
    EXPECT_TRUE(s.startsWith("hell"));
    EXPECT_FALSE(s.startsWith("hello world!"));
}

TEST(KestStringEdit, OutOfRangePositionsDoNotCrash)
{
    KestString s("abc");
    s.remove(10);
    s.remove(5, 2);
    EXPECT_EQ(s, KestString("abc"));
    s.remove(1, 100);
    EXPECT_EQ(s, KestString("a"));
    s.insert(100, "z");
    EXPECT_EQ(s, KestString("az"));
    s.insert(0, "<");
    EXPECT_EQ(s, KestString("<az"));
    s.remove(1);
    EXPECT_EQ(s, KestString("<"));
    EXPECT_EQ(KestString("abc").substr(7), KestString(""));
}

TEST(KestStringEdit, AppendTakesAtMostWhatIsThere)
{
    KestString s;
    s.append("abcdef", 3).append(KestString("xyz"), 10).append(static_cast<const char*>(nullptr));
    EXPECT_EQ(s, KestString("abcxyz"));
    s.append("q\0rest", 6);  // stops at the NUL of a C string
    EXPECT_EQ(s.length(), 7u);
    KestString fromNull(static_cast<const char*>(nullptr));
    EXPECT_TRUE(fromNull.isEmpty());
    EXPECT_STREQ(fromNull.data(), "");
}

TEST(KestStringCompare, BytewiseCaseSensitiveAndHashedAlike)
{
    EXPECT_NE(KestString("Abc"), KestString("abc"));
    EXPECT_LT(KestString("Z"), KestString("a"));
    EXPECT_LT(KestString("ab"), KestString("abc"));
    EXPECT_GT(KestString("\xC3\xA9"), KestString("z"));  // bytes above 0x7F order after ASCII
    const KestString withNul(std::string("a\0b", 3));
    EXPECT_EQ(withNul.length(), 3u);
    EXPECT_NE(withNul, KestString(std::string("a\0c", 3)));
    std::ostringstream out;
    out << withNul;
    EXPECT_EQ(out.str(), std::string("a\0b", 3));
    EXPECT_EQ(KestString("Orvel").hash(), KestString("Orvel").hash());
    EXPECT_NE(KestString("Orvel").hash(), KestString("orvel").hash());
    EXPECT_NE(KestString("").hash(), KestString(std::string(1, '\0')).hash());

    KestString s("Report-\xC3\xA9t\xC3\x89.PPT");  // only ASCII letters change case
    s.toLower();
    EXPECT_EQ(s, KestString("report-\xC3\xA9t\xC3\x89.ppt"));
    s.toUpper();
    EXPECT_EQ(s, KestString("REPORT-\xC3\xA9T\xC3\x89.PPT"));
}

}  // namespace
