// Which lines of a trace log orvel run passes over: the pieces the object
// echoes for a text with link markup where it cuts the text, nothing else.
#include <gtest/gtest.h>

#include "NestedEcho.h"

namespace {

// The statements of a log that are run, one per line.
std::string runLines(const std::string& log)
{
    orvel_script::NestedEcho nested;
    orvel_script::ParseResult parsed = orvel_script::parse(log);
    EXPECT_TRUE(parsed.ok()) << log;
    std::string run;
    for (const orvel_script::Statement& statement : parsed.statements)
        if (!nested.isNested(statement)) run += orvel_script::format(statement) + "\n";
    return run;
}

TEST(NestedEcho, PassesOverThePiecesOfALinkOnlyWhereTheObjectEchoesThem)
{
    const std::string call = "orvel->insertText(\"a<a href=\"#GUID 1\">b</a>c<a href=\"t\">d</a>\");\n";
    const std::string again = "orvel->insertText(\"a\");\n";
    // In the body: the text before, the link and the rest, for every link.
    EXPECT_EQ(runLines(call + again + "orvel->insertXref(\"b\",\"GUID 1\");\n" +
                       "orvel->insertText(\"c<a href=\"t\">d</a>\");\norvel->insertText(\"c\");\n" +
                       "orvel->insertXref(\"d\",\"t\");\norvel->insertText(\"\");\n" + again),
              call + again);
    // In a table: the first link only.
    const std::string link = "orvel->insertXref(\"b\",\"GUID 1\");\n";
    EXPECT_EQ(runLines(call + link + link), call + link);
    // Pieces cut short by a failure: what follows is the client's again.
    EXPECT_EQ(runLines(call + again + again), call + again);
    // The composers and the notes take the markup as text: every call is the client's.
    for (const char* mode : {"orvel->startHeader();\n", "orvel->startFooter();\n",
                             "orvel->setOption(\"startNote\",\"\");\n"}) {
        const std::string log = mode + call + again + "orvel->endFooter();\n" + call + again;
        EXPECT_EQ(runLines(log), mode + call + again + "orvel->endFooter();\n" + call) << mode;
    }
}

TEST(NestedEcho, PassesOverTheFileNameOfInsertFieldAndTheFontSizeOfStartTable)
{
    const std::string create = "orvel->create(\"Out/Q3.Deck/Report\");\n";
    const std::string field = "orvel->insertField(3);\n";
    const std::string name = "orvel->insertText(\"report.ppt\");\n";
    EXPECT_EQ(runLines(create + field + name + name), create + field + name);
    // Only the very next line, and only with the name create gave.
    EXPECT_EQ(runLines(create + field + "orvel->insertEndl();\n" + name), create + field + "orvel->insertEndl();\n" + name);
    EXPECT_EQ(runLines(create + "orvel->insertField(4);\n" + name), create + "orvel->insertField(4);\n" + name);
    const std::string table = "orvel->startTable();\n", size16 = "orvel->setFontSize(16);\n";
    EXPECT_EQ(runLines(table + size16 + size16), table + size16);
    EXPECT_EQ(runLines(table + "orvel->setFontSize(12);\n"), table + "orvel->setFontSize(12);\n");
}

}  // namespace
