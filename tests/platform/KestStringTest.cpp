#include <gtest/gtest.h>

#include <sstream>

#include "support/KestString.h"

namespace {

KestString replaced(const char* text, const char* from, const char* to)
{
    KestString s(text);
    s.replaceStr(from, to);
    return s;
}

TEST(KestStringReplace, ReplacedTextIsNotScannedAgain)
{
    EXPECT_EQ(replaced("aaa", "a", "aa"), KestString("aaaaaa"));
    EXPECT_EQ(replaced("a\\b", "\\", "\\\\"), KestString("a\\\\b"));
    EXPECT_EQ(replaced("xax", "a", "xax"), KestString("xxaxx"));
}

TEST(KestStringReplace, OverlappingOccurrencesAreTakenLeftToRight)
{
    EXPECT_EQ(replaced("aaa", "aa", "b"), KestString("ba"));
    EXPECT_EQ(replaced("aaaa", "aa", "b"), KestString("bb"));
    EXPECT_EQ(replaced("ababab", "aba", "X"), KestString("Xbab"));
}

TEST(KestStringReplace, EdgeCases)
{
    EXPECT_EQ(replaced("", "a", "b"), KestString(""));
    EXPECT_EQ(replaced("abc", "", "x"), KestString("abc"));
    EXPECT_EQ(replaced("abc", "abc", ""), KestString(""));
    EXPECT_EQ(replaced("a-b-c", "-", ""), KestString("abc"));
    EXPECT_EQ(replaced("abc", "abcd", "x"), KestString("abc"));
    EXPECT_EQ(replaced("<br><br>", "<br>", "\n"), KestString("\n\n"));
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

TEST(KestStringCompare, BytewiseAndCaseSensitive)
{
    EXPECT_NE(KestString("Abc"), KestString("abc"));
    EXPECT_LT(KestString("Z"), KestString("a"));
    EXPECT_LT(KestString("ab"), KestString("abc"));
    // Bytes above 0x7F order after ASCII (as unsigned bytes).
    EXPECT_GT(KestString("\xC3\xA9"), KestString("z"));
    EXPECT_EQ(KestString(std::string("a\0b", 3)).length(), 3u);
    EXPECT_NE(KestString(std::string("a\0b", 3)), KestString(std::string("a\0c", 3)));
}

TEST(KestStringCase, OnlyAsciiLettersChange)
{
    KestString s("Report-\xC3\xA9t\xC3\x89.PPT");
    s.toLower();
    EXPECT_EQ(s, KestString("report-\xC3\xA9t\xC3\x89.ppt"));
    s.toUpper();
    EXPECT_EQ(s, KestString("REPORT-\xC3\xA9T\xC3\x89.PPT"));
}

TEST(KestStringHash, EqualTextsHashEquallyAndCaseMatters)
{
    EXPECT_EQ(KestString("Orvel").hash(), KestString("Orvel").hash());
    EXPECT_NE(KestString("Orvel").hash(), KestString("orvel").hash());
    EXPECT_NE(KestString("").hash(), KestString(std::string(1, '\0')).hash());
}

TEST(KestStringStream, WritesEmbeddedBytes)
{
    std::ostringstream out;
    out << KestString(std::string("a\0b", 3));
    EXPECT_EQ(out.str(), std::string("a\0b", 3));
}

}  // namespace
