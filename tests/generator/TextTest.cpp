// Text and formatting calls: their echo lines byte for byte, the runs and
// paragraphs they make on the slide, the link markup and the fields.
#include <gtest/gtest.h>

#include "GeneratorFixture.h"

using namespace gentest;

namespace {

using Text = GeneratorTest;

TEST_F(Text, BeforeCreateOnlyAlignmentCrossReferencesAndTheFooterEndEcho)
{
    doc->start();
    doc->startFooter();
    doc->startHeader();
    doc->endHeader();
    doc->endFooter();
    text("nothing");
    endl();
    doc->insertField(1);
    doc->setStyle(bs("Normal").get());
    doc->setFontName(bs("Arial").get());
    doc->setFontSize(10);
    doc->setFontAttribute(1, 1);
    doc->setTextAlign(0);
    EXPECT_EQ(comErrorOf([&] { doc->setTextAlign(2); }), E_POINTER);  // no frame yet
    EXPECT_THROW(doc->insertXref(bs("t").get(), bs("Slide 2").get()), ComError);
    EXPECT_EQ(logLines(), (std::vector<std::string>{"orvel->start();", "orvel->endFooter();", "orvel->setTextAlign(0);",
                                                    "orvel->setTextAlign(2);", "orvel->insertXref(\"t\",\"Slide 2\");"}));
}

TEST_F(Text, EchoLinesAreWrittenExactlyAsReceived)
{
    open();
    text("He said \"hi\"\nand <b>left</b>");
    doc->insertField(3);
    doc->setStyle(bs("Heading 1").get());
    doc->setFontName(bs("Courier New").get());
    doc->setFontSize(12);
    doc->setFontAttribute(1, 1);
    doc->setFontAttribute(2, 0);
    doc->setFontAttribute(4, 1);
    doc->setFontAttribute(8, 0);
    doc->setFontAttribute(3, 1);
    doc->setFontAttribute(16, 0);
    doc->setTextAlign(2);
    doc->insertXref(bs("see \"this\"").get(), bs("Slide 1").get());
    doc->setOption(bs("startNote").get(), bs("a,b").get());
    doc->insertImage(bs("").get(), bs("").get());
    doc->insertFile(bs("").get(), 2);
    endl();
    doc->insertPageBreak();
    doc->insertText(nullptr);  // null strings are empty strings
    doc->setStyle(nullptr);
    doc->setFontName(nullptr);
    doc->insertXref(nullptr, nullptr);
    doc->setOption(nullptr, nullptr);
    doc->insertImage(nullptr, nullptr);
    doc->insertFile(nullptr, 0);
    expectRecorded(joined(logFrom("orvel->insertText(\"He said \"hi\"")));
}

TEST_F(Text, StylesAndFontCallsFormatTheRunsFromWhereTheyWereMade)
{
    open();
    doc->setStyle(bs("Heading 1").get());
    text("Title");
    endl();
    doc->setStyle(bs("Heading 2").get());
    text("Sub");
    endl();
    doc->setStyle(bs("Normal").get());
    text("Plain ");
    doc->setFontSize(30);
    doc->setFontAttribute(1, 1);
    doc->setFontName(bs("Georgia").get());  // a name starts a fresh font: not bold, size unset
    text("fresh");
    doc->setFontSize(14);  // a size keeps the name
    text(" sized");
    endl();
    doc->setFontName(bs("Courier New").get());
    doc->setFontSize(12);
    doc->setFontAttribute(1, 1);
    doc->setFontAttribute(4, 1);
    text("Code");
    text("");  // applies the font, appends nothing
    text("a\r\nb\t\"<x>\"\n\n");  // a carriage return ends a paragraph too
    text("end");
    expectRecorded(savedDump());
}

TEST_F(Text, BulletsGoToTheWholeFrameAndAFontSwitchTurnsThemOff)
{
    open();
    text("first\nsecond\n");
    doc->setStyle(bs("List Bullet").get());
    text("third");
    endl();
    expectRecorded(savedDump("deck"));
    open("off");
    doc->setStyle(bs("List Bullet").get());
    text("one");
    doc->setFontAttribute(16, 1);  // an unknown attribute still sets the font again
    text("two");
    expectRecorded(savedDump("off"), "-2");
}

TEST_F(Text, AlignmentGoesToTheParagraphBeingWritten)
{
    open();
    text("left\n");
    doc->setTextAlign(2);
    text("centre\n");
    doc->setTextAlign(3);
    text("right\n");
    doc->setTextAlign(4);  // justified is written as left
    text("four\n");
    doc->setTextAlign(9);  // unknown: nothing
    text("nine");
    option("startNote");
    text("note");
    doc->setTextAlign(2);
    option("endNote");
    doc->startHeader();
    doc->setTextAlign(3);  // ignored
    text("head");
    doc->endHeader();
    expectRecorded(savedDump());
}

TEST_F(Text, LinkMarkupBecomesTextCrossReferenceText)
{
    open();
    text("Go <a href=\"http://example.com/\">there</a> now");
    expectRecorded(withoutDir(joined(logFrom("orvel->insertText(\"Go <a href=\"http://example.com/\">there</a> now\");"))), "-log");
    endl();
    text("<a href=\"#GUID 12\">A</a>-<a href=\"mailto:b@example.com\" target=\"x\">B</a>!");
    endl();
    text("a <a href=\"x\">no end");  // incomplete markup is plain text
    text("|b <a href=\"x\" no close</a>");
    text("|</a> c");
    endl();
    text("<a href=\"#GUID a #GUID b\">1</a><a href=\"x#GUID c\">2</a><a href=\">3</a>");  // the prefix only at the start
    endl();
    doc->insertXref(bs("three").get(), bs("Slide 3").get());
    doc->insertXref(bs("word").get(), bs("Slide x").get());
    doc->insertXref(bs("lower").get(), bs("slide 3").get());
    doc->insertXref(bs("spaced").get(), bs("Slide   2abc").get());
    doc->insertXref(bs("web").get(), bs("http://example.com/a").get());
    doc->insertXref(bs("file").get(), bs((dir / "trace.log").string()).get());
    doc->startHeader();  // dropped in the header and footer
    doc->insertXref(bs("h").get(), bs("http://x").get());
    doc->endHeader();
    doc->insertPageBreak();
    text("two");
    doc->insertPageBreak();
    text("three");
    EXPECT_FALSE(logFrom("orvel->insertXref(\"1\",\"GUID a GUID b\");").empty());
    EXPECT_FALSE(logFrom("orvel->insertXref(\"2\",\"x#GUID c\");").empty());
    EXPECT_FALSE(logFrom("orvel->insertXref(\"3\",\"\");").empty());
    EXPECT_FALSE(logFrom("orvel->insertXref(\"h\",\"http://x\");").empty());
    pptx::Package deck = saved();
    expectRecorded(withoutDir(pptx::dump(deck.slides[0], 1)));
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
