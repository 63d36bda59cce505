// Text and formatting calls: their echo lines byte for byte, their routing by
// capture mode, the link markup and the font calls.
#include <gtest/gtest.h>

#include "GeneratorFixture.h"
#include "com/ComError.h"

using namespace gentest;

namespace {

using TextCalls = GeneratorTest;

TEST_F(TextCalls, BeforeCreateOnlyAlignmentAndCrossReferencesEcho)
{
    doc->start();
    text("nothing");
    endl();
    doc->insertField(1);
    doc->setStyle(bs("Normal").get());
    doc->setFontName(bs("Arial").get());
    doc->setFontSize(10);
    doc->setFontAttribute(1, 1);
    doc->setTextAlign(0);
    EXPECT_THROW(doc->insertXref(bs("t").get(), bs("Slide 2").get()), ComError);  // no frame yet
    EXPECT_EQ(logLines(), (std::vector<std::string>{"orvel->start();", "orvel->setTextAlign(0);",
                                                    "orvel->insertXref(\"t\",\"Slide 2\");"}));
}

TEST_F(TextCalls, AlignmentAndCrossReferenceWithoutAFrameRaiseTheComError)
{
    try {
        doc->setTextAlign(2);
        FAIL() << "no error";
    } catch (const ComError& e) {
        EXPECT_EQ(e.Error(), E_POINTER);
    }
    EXPECT_THROW(doc->insertXref(bs("t").get(), bs("x").get()), ComError);
}

TEST_F(TextCalls, EchoLinesAreWrittenExactlyAsReceived)
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
    std::vector<std::string> expected = {
        "orvel->insertText(\"He said \"hi\"",
        "and <b>left</b>\");",
        "orvel->insertField(3);",
        "orvel->insertText(\"deck.ppt\");",
        "orvel->setStyle(\"Heading 1\");",
        "orvel->setFontName(\"Courier New\");",
        "orvel->setFontSize(12);",
        "orvel->setFontAttribute(Bold,TRUE);",
        "orvel->setFontAttribute(Italic,FALSE);",
        "orvel->setFontAttribute(Underline,TRUE);",
        "orvel->setFontAttribute(Strike,FALSE);",
        "orvel->setFontAttribute(TRUE);",
        "orvel->setFontAttribute(FALSE);",
        "orvel->setTextAlign(2);",
        "orvel->insertXref(\"see \"this\"\",\"Slide 1\");",
        "orvel->setOption(\"startNote\",\"a,b\");",
        "orvel->insertImage(\"\",\"\");",
        "orvel->insertFile(\"\",2);",
        "orvel->insertEndl();",
        "orvel->insertPageBreak();",
        "",
    };
    EXPECT_EQ(logFrom("orvel->insertText(\"He said \"hi\""), expected);
}

TEST_F(TextCalls, NullStringsAreEmptyStrings)
{
    open();
    doc->insertText(nullptr);
    doc->setStyle(nullptr);
    doc->setFontName(nullptr);
    doc->insertXref(nullptr, nullptr);
    doc->setOption(nullptr, nullptr);
    doc->insertImage(nullptr, nullptr);
    doc->insertFile(nullptr, 0);
    EXPECT_EQ(logFrom("orvel->insertText(\"\");"),
              (std::vector<std::string>{"orvel->insertText(\"\");", "orvel->setStyle(\"\");",
                                        "orvel->setFontName(\"\");", "orvel->insertXref(\"\",\"\");",
                                        "orvel->setOption(\"\",\"\");", "orvel->insertImage(\"\",\"\");",
                                        "orvel->insertFile(\"\",0);"}));
}

TEST_F(TextCalls, OneLinkBecomesTextCrossReferenceText)
{
    open();
    text("Go <a href=\"http://example.com/\">there</a> now");
    EXPECT_EQ(logFrom("orvel->insertText(\"Go <a href=\"http://example.com/\">there</a> now\");"),
              (std::vector<std::string>{"orvel->insertText(\"Go <a href=\"http://example.com/\">there</a> now\");",
                                        "orvel->insertText(\"Go \");",
                                        "orvel->insertXref(\"there\",\"http://example.com/\");",
                                        "orvel->insertText(\" now\");"}));
    EXPECT_EQ(bodyOf(1), "Go there now");
    doc->close();
    auto body = slideAt(1)->labels()[1]->frame;
    ASSERT_EQ(body->links.size(), 1u);
    EXPECT_EQ(body->links[0].start, 4);
    EXPECT_EQ(body->links[0].length, 5);
    EXPECT_EQ(body->links[0].link->address, "http://example.com/");
}

TEST_F(TextCalls, EveryLinkOfATextIsResolved)
{
    open();
    text("<a href=\"#GUID 12\">A</a>-<a href=\"Slide 2\" target=\"x\">B</a>!");
    std::vector<std::string> lines = logFrom("orvel->insertText(\"\");");
    EXPECT_EQ(lines, (std::vector<std::string>{"orvel->insertText(\"\");", "orvel->insertXref(\"A\",\"GUID 12\");",
                                               "orvel->insertText(\"-<a href=\"Slide 2\" target=\"x\">B</a>!\");",
                                               "orvel->insertText(\"-\");",
                                               "orvel->insertXref(\"B\",\"Slide 2\" target=\"x\");",
                                               "orvel->insertText(\"!\");"}));
    EXPECT_EQ(bodyOf(1), "A-B!");
    doc->close();
    auto body = slideAt(1)->labels()[1]->frame;
    ASSERT_EQ(body->links.size(), 2u);
    EXPECT_EQ(body->links[0].link->subAddress, "257,2,Slide 2\" target=\"x");
    EXPECT_EQ(body->links[1].link->subAddress, "GUID 12");
}

TEST_F(TextCalls, ManyLinksInOneTextNeedNoDeepCalls)
{
    open();
    doc->trace(0);  // the echo of every rest would be quadratic
    std::string many;
    for (int i = 0; i < 10000; ++i) many += "<a href=\"u\">x</a>";
    text(many);
    EXPECT_EQ(bodyOf(1).size(), 10000u);
}

TEST_F(TextCalls, IncompleteMarkupIsPlainText)
{
    open();
    text("a <a href=\"x\">no end");
    text("|b <a href=\"x\" no close</a>");
    text("|</a> c <a href=\"y\">d");
    EXPECT_EQ(bodyOf(1), "a <a href=\"x\">no end|b <a href=\"x\" no close</a>|</a> c <a href=\"y\">d");
    EXPECT_EQ(ppt.count("TextRange.ActionSettings"), 0);
    EXPECT_TRUE(logFrom("orvel->insertXref(\"\",\"\");").empty());
}

TEST_F(TextCalls, GuidPrefixIsRewrittenOnlyAtTheStart)
{
    open();
    text("<a href=\"#GUID a #GUID b\">1</a>");
    text("<a href=\"x#GUID c\">2</a>");
    text("<a href=\">3</a>");  // an empty target
    EXPECT_FALSE(logFrom("orvel->insertXref(\"1\",\"GUID a GUID b\");").empty());
    EXPECT_FALSE(logFrom("orvel->insertXref(\"2\",\"x#GUID c\");").empty());
    EXPECT_FALSE(logFrom("orvel->insertXref(\"3\",\"\");").empty());
}

TEST_F(TextCalls, SlideTagsBecomeSlideJumps)
{
    open();
    doc->insertXref(bs("three").get(), bs("Slide 3").get());
    doc->insertXref(bs("word").get(), bs("Slide x").get());
    doc->insertXref(bs("lower").get(), bs("slide 3").get());
    doc->insertXref(bs("spaced").get(), bs("Slide   12abc").get());
    doc->close();
    auto links = slideAt(1)->labels()[1]->frame->links;
    ASSERT_EQ(links.size(), 4u);
    EXPECT_EQ(links[3].link->subAddress, "258,3,Slide 3");
    EXPECT_EQ(links[2].link->subAddress, "255,0,Slide x");
    EXPECT_EQ(links[1].link->subAddress, "slide 3");
    EXPECT_EQ(links[0].link->subAddress, "267,12,Slide   12abc");
}

TEST_F(TextCalls, CrossReferencesInHeaderOrFooterModeAreDropped)
{
    open();
    doc->startHeader();
    doc->insertXref(bs("h").get(), bs("http://x").get());
    doc->endFooter();
    doc->startFooter();
    doc->insertXref(bs("f").get(), bs("http://x").get());
    doc->endFooter();
    EXPECT_EQ(bodyOf(1), "");
    EXPECT_FALSE(logFrom("orvel->insertXref(\"f\",\"http://x\");").empty());
}

TEST_F(TextCalls, TextGoesWhereTheCaptureModeSays)
{
    open();
    text("body ");
    option("startNote");
    text("note");
    endl();
    text("more note");
    doc->setOption(bs("StartNote").get(), bs("").get());  // not an option word: still notes
    text("!");
    option("endNote");
    text("body again");
    doc->startHeader();
    text("head");
    option("endNote");  // back to the body from any mode
    text(" end");
    EXPECT_EQ(bodyOf(1), "body body again end");
    EXPECT_EQ(slideAt(1)->notesText(), "note\rmore note!");
}

TEST_F(TextCalls, FontNameStartsAFreshRecordFontSizeKeepsTheName)
{
    open();
    doc->setFontSize(30);
    doc->setFontAttribute(1, 1);
    doc->setFontName(bs("Georgia").get());
    text("a");
    EXPECT_EQ(ppt.callsOf("Font.Name=").back(), "Font.Name=\"Georgia\"");
    EXPECT_EQ(ppt.callsOf("Font.Bold=").back(), "Font.Bold=0");
    EXPECT_EQ(ppt.count("Font.Size="), 0);
    doc->setFontSize(14);
    text("b");
    EXPECT_EQ(ppt.callsOf("Font.Size=").back(), "Font.Size=14");
    EXPECT_EQ(ppt.callsOf("Font.Name=").back(), "Font.Name=\"Georgia\"");
}

TEST_F(TextCalls, AnUnknownAttributeStillSetsTheFontAgain)
{
    open();
    doc->setStyle(bs("List Bullet").get());
    text("one");
    EXPECT_TRUE(slideAt(1)->labels()[1]->frame->bulletVisible);
    doc->setFontAttribute(16, 1);
    text("two");
    EXPECT_FALSE(slideAt(1)->labels()[1]->frame->bulletVisible);
    EXPECT_EQ(ppt.callsOf("TextRange.Characters").back(), "TextRange.Characters(4,6)");
}

TEST_F(TextCalls, FontCallsInFooterModeChangeNothing)
{
    open();
    doc->startFooter();
    ppt.calls.clear();
    doc->setFontName(bs("X").get());
    doc->setFontSize(9);
    doc->setFontAttribute(1, 1);
    doc->setStyle(bs("Heading 1").get());
    doc->setTextAlign(3);
    EXPECT_TRUE(ppt.calls.empty());
    EXPECT_EQ(logLines().size(), 8u);  // start, create, startFooter and the five calls
}

TEST_F(TextCalls, HeaderModeFontCallsGoToTheHeaderWriter)
{
    open();
    doc->startHeader();
    doc->setFontSize(8);
    doc->setFontAttribute(2, 1);
    text("H");
    doc->endHeader();
    text("body");
    ppt.calls.clear();
    doc->close();
    // The header text is written with its own font when the slide is finished.
    EXPECT_TRUE(ppt.inOrder({"TextRange.InsertAfter(\"H\")", "Font.Italic=-1", "Font.Size=8"}));
}

TEST_F(TextCalls, FieldsByModeAndCode)
{
    open();
    doc->insertField(2);
    doc->insertField(4);
    doc->insertField(9);
    std::string body = bodyOf(1);
    EXPECT_EQ(body.size(), 8u);  // the time of day only
    EXPECT_EQ(body[2], ':');
    option("startNote");
    doc->insertField(1);
    EXPECT_EQ(slideAt(1)->notesText().size(), 10u);
    option("endNote");
    doc->startFooter();
    doc->insertField(1);
    doc->insertField(2);
    doc->insertField(3);
    doc->insertField(4);
    doc->endFooter();
    text("x");
    doc->close();
    auto& footer = slideAt(1)->headersFooters;
    EXPECT_EQ(footer.footer.text, "deck.ppt");
    EXPECT_EQ(footer.dateAndTime.text.size(), 10u);
    EXPECT_EQ(footer.slideNumber.visible, -1);
}

TEST_F(TextCalls, FileNameFieldWithoutASlashIsTheWholeName)
{
    doc->start();
    doc->create(bs("c:\\out\\report").get());
    doc->insertField(3);
    EXPECT_EQ(bodyOf(1), "c:\\out\\report.ppt");
    EXPECT_FALSE(logFrom("orvel->insertText(\"c:\\out\\report.ppt\");").empty());
}

TEST_F(TextCalls, AlignmentGoesToTheParagraphBeingWritten)
{
    open();
    text("one\ntwo");
    doc->setTextAlign(3);
    option("startNote");
    doc->setTextAlign(2);
    option("endNote");
    doc->startHeader();
    doc->setTextAlign(1);
    EXPECT_EQ(slideAt(1)->labels()[1]->frame->alignment, (std::map<int, int>{{2, 3}}));
    EXPECT_EQ(slideAt(1)->notesShapes[1]->frame->alignment, (std::map<int, int>{{1, 2}}));
}

TEST_F(TextCalls, FailuresInsideTheTextCallsCarryTheirLabels)
{
    open();
    ppt.fail("TextRange.InsertAfter", E_FAIL);
    EXPECT_EQ(failureOf([&] { text("x"); }).rfind("insertText\nCOMERROR 0x80004005\n", 0), 0u);
    ppt.fail("Font.Name=", E_FAIL);
    EXPECT_EQ(failureOf([&] { doc->setStyle(bs("Normal").get()); }), "");  // the style only records the font
    EXPECT_EQ(failureOf([&] { text("y"); }).rfind("insertText\n", 0), 0u);
    ppt.fail("TextRange.Length", E_FAIL);
    EXPECT_EQ(failureOf([&] { doc->setFontSize(3); }).rfind("switchFont\n", 0), 0u);
    ppt.fail("TextRange.Length", E_FAIL);
    EXPECT_EQ(failureOf([&] { doc->setStyle(bs("Normal").get()); }).rfind("setStyle\n", 0), 0u);
    ppt.fail("TextRange.InsertAfter", E_FAIL);
    EXPECT_EQ(failureOf([&] { doc->insertField(1); }).rfind("insertField\n", 0), 0u);
    // The echo is written before the work: the failing call is in the log, then why it failed.
    std::vector<std::string> lines = logLines();
    EXPECT_EQ(lines[lines.size() - 2], "orvel->insertField(1);");
    EXPECT_EQ(lines.back(), "ERR insertField: failure scheduled by the test");
}

}  // namespace
