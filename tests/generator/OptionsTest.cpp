// Trace control, the inert calls and the queries.
#include <gtest/gtest.h>

#include "GeneratorFixture.h"

using namespace gentest;

namespace {

using Options = GeneratorTest;

// Neither they nor the queries echo; the queries' texts: tools' Cli.ReadsStandardInputAndPrintsOutTexts.
TEST_F(Options, InertCallsAndQueriesDoNothingAtAnyTime)
{
    EXPECT_EQ(doc->getDocType(nullptr), E_POINTER);
    EXPECT_EQ(doc->getPropPages(nullptr), E_POINTER);
    EXPECT_EQ(doc->insertTOC(), S_OK);
    EXPECT_EQ(doc->setOrientation(1), S_OK);
    EXPECT_EQ(doc->pushDirectory(bs("x").get()), S_OK);
    open();
    EXPECT_EQ(doc->insertMark(5, 1), S_OK);
    EXPECT_EQ(doc->startTOCEntry(), S_OK);
    EXPECT_EQ(doc->endTOCEntry(), S_OK);
    EXPECT_EQ(doc->setTableRowHeight(40), S_OK);
    EXPECT_EQ(doc->insertTag(nullptr), S_OK);
    EXPECT_EQ(doc->startFile(bs("f").get()), S_OK);
    EXPECT_EQ(doc->insertLocate(), S_OK);
    EXPECT_EQ(doc->popDirectory(), S_OK);
    EXPECT_EQ(doc->insertDiagram(1234, 10, 10), S_OK);
    EXPECT_EQ(logLines().size(), 2u);  // start and create only
    pptx::Package deck = saved();
    ASSERT_EQ(deck.slides.size(), 1u);
    for (const pptx::Shape& shape : deck.slides[0].shapes) EXPECT_EQ(shape.text(), "");
}

TEST_F(Options, TraceLevelsOpenCloseAndRedirectTheLog)
{
    doc->trace(0);
    doc->start();
    doc->trace(-1);  // nothing changes: still closed
    doc->setTextAlign(0);
    doc->trace(1);  // errors only
    doc->setTextAlign(0);
    EXPECT_TRUE(logLines().empty());
    auto second = dir / "second.log";
    doc->overrideRegistry(bs("Log").get(), bs("LogName").get(), bs(second.string()).get(), 1);
    doc->trace(10);
    doc->setTextAlign(0);
    doc->trace(-5);
    doc->setTextAlign(0);
    EXPECT_EQ(testenv::readFile(second), "orvel->setTextAlign(0);\norvel->setTextAlign(0);\n");
}

}  // namespace
