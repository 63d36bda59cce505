// Text calls: many links, the fields, null strings (echo lines, formatting
// and link markup: scripts/).
#include <gtest/gtest.h>

#include "GeneratorFixture.h"

using namespace gentest;

namespace {

using Text = GeneratorTest;

// Null strings are empty strings (the echo of every call: scripts/Echo.orvel).
TEST_F(Text, NullStringsEchoAsEmptyStrings)
{
    open();
    doc->insertText(nullptr);
    doc->setStyle(nullptr);
    doc->setFontName(nullptr);
    doc->insertXref(nullptr, nullptr);
    doc->setOption(nullptr, nullptr);
    doc->insertImage(nullptr, nullptr);
    doc->insertFile(nullptr, 0);
    expectRecorded(joined(logFrom("orvel->insertText(\"\");")));
}

TEST_F(Text, ManyLinksInOneTextNeedNoDeepCalls)
{
    open();
    doc->trace(0);  // the echo of every rest would be quadratic
    std::string many;
    for (int i = 0; i < 10000; ++i) many += "<a href=\"u\">x</a>";
    text(many);
    pptx::Package deck = saved();
    EXPECT_EQ(deck.slides.at(0).labels().at(1)->text().size(), 10000u);
}

TEST_F(Text, FieldsByModeAndCode)
{
    doc->start();
    doc->create(bs("Report.pptx").get());  // a name without a folder is the whole name
    doc->insertField(3);
    doc->insertField(2);
    doc->insertField(4);  // the page number only in the header and footer
    doc->insertField(9);
    option("startNote");
    doc->insertField(1);
    option("endNote");
    doc->close();
    EXPECT_FALSE(logFrom("orvel->insertText(\"report.pptx\");").empty());
    pptx::Package deck(dir / "report.pptx");
    std::string body = deck.slides.at(0).labels().at(1)->text();
    EXPECT_EQ(body.substr(0, 11), "report.pptx");
    EXPECT_EQ(body.size(), 19u);  // and the time of day only
    EXPECT_EQ(body[13], ':');
    EXPECT_EQ(deck.slides[0].notes.size(), 10u);  // the date
}

}  // namespace
