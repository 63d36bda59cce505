// Tables through a recording fake Word back-end: what it is told, when a
// table is cut, and where its parts are embedded.
#include <dlfcn.h>

#include <algorithm>

#include <gtest/gtest.h>

#include "FakeWordBackEnd.h"
#include "GeneratorFixture.h"
#include "com/ComError.h"
#include "registry/RegisterIt.h"
#include "registry/Registry.h"

using namespace gentest;

namespace {

std::string fakeModulePath()
{
    return std::string(ORVEL_LIB_DIR) + "/" + fakeword::moduleFileName;
}

void registerBackEnd(const std::string& name, const std::string& classId)
{
    RegDoc entry{KestString(name), KestString("test back-end"), KestString(classId), KestString(fakeModulePath())};
    ASSERT_TRUE(RegisterIt::addDoc(entry));
}

void registerFakeWord()
{
    registry::Registry::openDefault()->setValue(registry::Hive::ClassesRoot,
                                                std::string("CLSID\\") + fakeword::clsidString + "\\InprocServer32", "",
                                                registry::Value::string(fakeModulePath()));
    registerBackEnd("Microsoft Word", fakeword::clsidString);
}

std::vector<std::string>& wordCalls()
{
    static std::vector<std::string>* calls = [] {
        void* module = dlopen(fakeModulePath().c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) throw std::runtime_error(dlerror());
        auto fn = reinterpret_cast<fakeword::CallsFn>(dlsym(module, fakeword::callsSymbol));
        return fn();
    }();
    return *calls;
}

class Tables : public GeneratorTest {
protected:
    Tables()
    {
        registerFakeWord();
        wordCalls().clear();
        ppt.lineHeight = 20.0;
    }
    std::string tablePath() const { return (dir / "abctabxyz.doc").string(); }
    int wordCount(const std::string& call) const
    {
        const auto& calls = wordCalls();
        return static_cast<int>(std::count(calls.begin(), calls.end(), call));
    }
    // Index of call in the Word log at or after from; -1 when none.
    int wordIndex(const std::string& call, int from = 0) const
    {
        const auto& calls = wordCalls();
        auto found = std::find(calls.begin() + from, calls.end(), call);
        return found == calls.end() ? -1 : static_cast<int>(found - calls.begin());
    }
    void bodyOfHeight300()
    {
        std::string t = "line";
        for (int i = 1; i < 15; ++i) t += "\nline";
        text(t);  // 15 paragraphs of 20 points
    }
    void row(const std::string& a, const std::string& b)
    {
        doc->addRow();
        doc->addCell();
        text(a);
        doc->addCell();
        text(b);
    }
    std::string embed(float top) const
    {
        return "Shapes.AddOLEObject(80," + fakeppt::number(top) + ",0,0,\"\",\"" + tablePath() + "\",0,\"\",0,\"\",0)";
    }
};

TEST_F(Tables, StartingATableMakesTheBackEndOnceAndOpensAPart)
{
    open();
    doc->startTable();
    std::vector<std::string> expected = {
        "start()", "overrideRegistry(\"Word\",\"WordTemplateName\",\"\",1)", "create(\"" + tablePath() + "\")",
        "setOrientation(1)", "startTable()", "setTableRowHeight(0)", "setTableRowHeight(20)", "setFontSize(16)"};
    EXPECT_EQ(wordCalls(), expected);
    EXPECT_EQ(logFrom("orvel->startTable();"),
              (std::vector<std::string>{"orvel->startTable();", "orvel->setFontSize(16);"}));
    doc->endTable();
    doc->startTable();
    EXPECT_EQ(wordCount("start()"), 1);
}

TEST_F(Tables, TenRowsUnderThreeHundredPointsAreCutBeforeRowEight)
{
    open();
    bodyOfHeight300();
    doc->startTable();
    for (int r = 1; r <= 7; ++r) row("r" + std::to_string(r), "c");
    EXPECT_EQ(ppt.count("Shapes.AddOLEObject"), 0);
    EXPECT_EQ(wordCount("addRow()"), 7);
    row("r8", "c");
    // The seven-row part is embedded below the text, the table goes on on slide 2.
    EXPECT_EQ(ppt.callsOf("Shapes.AddOLEObject"), std::vector<std::string>{embed(365)});
    ASSERT_EQ(deck()->slides.size(), 2u);
    EXPECT_EQ(slideAt(1)->ofKind("ole").size(), 1u);
    int secondPart = wordIndex("create(\"" + tablePath() + "\")", wordIndex("create(\"" + tablePath() + "\")") + 1);
    ASSERT_GT(secondPart, 0);
    EXPECT_EQ(wordIndex("close()"), secondPart - 1);
    EXPECT_EQ(wordCalls()[static_cast<std::size_t>(secondPart) + 4], "setFontSize(16)");  // the table font again
    EXPECT_LT(wordIndex("insertText(\"r8\")"), static_cast<int>(wordCalls().size()));
    EXPECT_GT(wordIndex("insertText(\"r8\")"), secondPart);
    row("r9", "c");
    row("r10", "c");
    doc->endTable();
    EXPECT_EQ(ppt.callsOf("Shapes.AddOLEObject"), (std::vector<std::string>{embed(365), embed(65)}));
    EXPECT_EQ(slideAt(2)->ofKind("ole").size(), 1u);
    EXPECT_EQ(wordCount("addRow()"), 10);
    EXPECT_FALSE(std::filesystem::exists(tablePath()));
    // The body text was pushed below each part (natural height 100 points).
    EXPECT_EQ(bodyOf(2), "\r\r\r\r");
    EXPECT_EQ(slideAt(1)->labels()[1]->frame->paragraphs().size(), 20u);
}

TEST_F(Tables, TwentyTwoRowsOfTwentyPointsFitAnEmptySlide)
{
    open();
    doc->startTable();
    for (int r = 1; r <= 22; ++r) row("x", "y");
    EXPECT_EQ(ppt.count("Shapes.AddOLEObject"), 0);
    row("x", "y");
    EXPECT_EQ(ppt.callsOf("Shapes.AddOLEObject"), std::vector<std::string>{embed(65)});
    doc->endTable();
}

TEST_F(Tables, TheTableFontIsCarriedOverACut)
{
    open();
    bodyOfHeight300();
    doc->startTable();
    doc->setFontSize(10);
    doc->setFontAttribute(1, 1);
    doc->setFontName(bs("Courier New").get());
    for (int r = 1; r <= 9; ++r) row("r", "c");  // 9 x 14 = 126 points
    EXPECT_EQ(ppt.count("Shapes.AddOLEObject"), 0);
    doc->setFontSize(30);  // after the first row: the table font keeps 10
    row("r", "c");
    ASSERT_EQ(ppt.count("Shapes.AddOLEObject"), 1);
    int secondPart = wordIndex("create(\"" + tablePath() + "\")", wordIndex("create(\"" + tablePath() + "\")") + 1);
    ASSERT_GT(secondPart, 0);
    std::vector<std::string> after(wordCalls().begin() + secondPart, wordCalls().begin() + secondPart + 10);
    EXPECT_EQ(after, (std::vector<std::string>{"create(\"" + tablePath() + "\")", "setOrientation(1)", "startTable()",
                                               "setFontName(\"Courier New\")", "setTableRowHeight(14)",
                                               "setFontSize(10)", "setFontAttribute(1,1)", "setTableRowHeight(14)",
                                               "addRow()", "addCell()"}));
    doc->endTable();
}

TEST_F(Tables, RowsAndCellsOutsideATable)
{
    open();
    doc->addCell();  // no back-end yet: echo only
    doc->addRow();
    EXPECT_TRUE(wordCalls().empty());
    doc->startTable();
    doc->addRow();
    doc->addRow();  // no cell since the last row: ignored
    EXPECT_EQ(wordCount("addRow()"), 1);
    doc->addCell();
    doc->endTable();
    doc->endTable();  // no table open: nothing more
    EXPECT_EQ(wordCount("endTable()"), 1);
    EXPECT_EQ(ppt.count("Shapes.AddOLEObject"), 1);
    doc->addCell();  // still passed on
    EXPECT_EQ(wordCount("addCell()"), 2);
    EXPECT_EQ(logFrom("orvel->addCell();").size(), 10u);
}

TEST_F(Tables, ContentWhileATableIsOpenGoesToTheBackEnd)
{
    open();
    std::string pic = (dir / "p.gif").string();
    testenv::writeFile(pic, "GIF89a");
    doc->startTable();
    doc->addRow();
    doc->addCell();
    text("see <a href=\"http://x\">this</a>!");
    endl();
    doc->setTextAlign(3);
    doc->setStyle(bs("Heading 1").get());  // styles stay with the slide text
    doc->insertImage(bs(pic).get(), bs("http://l").get());
    doc->insertFile(bs("any.txt").get(), 2);
    doc->insertXref(bs("t").get(), bs("Slide 2").get());
    doc->insertField(3);
    doc->setFontAttribute(2, 0);
    doc->endTable();
    std::vector<std::string> content(wordCalls().begin() + static_cast<long>(wordIndex("addCell()")) + 1,
                                     wordCalls().begin() + static_cast<long>(wordIndex("endTable()")));
    EXPECT_EQ(content, (std::vector<std::string>{"insertText(\"see \")", "insertXref(\"this\",\"http://x\")",
                                                 "insertText(\"!\")", "insertEndl()", "setTextAlign(3)",
                                                 "insertImage(\"" + pic + "\",\"http://l\")",
                                                 "insertFile(\"any.txt\",2)", "insertXref(\"t\",\"Slide 2\")",
                                                 "insertText(\"deck.ppt\")", "setFontAttribute(2,0)"}));
    EXPECT_EQ(bodyOf(1).find_first_not_of('\r'), std::string::npos);  // nothing but the push-down
    EXPECT_EQ(ppt.callsOf("Font.Name=").size(), 0u);
}

TEST_F(Tables, ATableStartedTwiceBeginsAgainOnTheSameFile)
{
    open();
    doc->startTable();
    row("a", "b");
    doc->startTable();
    EXPECT_EQ(wordCount("create(\"" + tablePath() + "\")"), 2);
    EXPECT_EQ(ppt.count("Shapes.AddOLEObject"), 0);
    row("c", "d");
    doc->endTable();
    EXPECT_EQ(ppt.count("Shapes.AddOLEObject"), 1);
}

TEST_F(Tables, TheBackEndIsStoppedWhenTheObjectGoes)
{
    open();
    doc->startTable();
    doc->endTable();
    doc = nullptr;
    EXPECT_EQ(wordCalls()[wordCalls().size() - 2], "stop()");
    EXPECT_EQ(wordCalls().back(), "~released");
}

TEST_F(Tables, AFailingEmbedIsAComErrorAndLeavesNoTemporaryFile)
{
    open();
    doc->startTable();
    row("a", "b");
    ppt.fail("Shapes.AddOLEObject", HR_FILE_NOT_FOUND);
    EXPECT_THROW(doc->endTable(), ComError);
    EXPECT_FALSE(std::filesystem::exists(tablePath()));
}

class TablesWithoutWord : public GeneratorTest {};

TEST_F(TablesWithoutWord, CellTextsLandOnTheSlide)
{
    open();
    doc->startTable();
    doc->addRow();
    doc->addCell();
    text("a");
    endl();
    doc->addCell();
    text("b");
    doc->endTable();
    EXPECT_EQ(bodyOf(1), "a\rb");
    EXPECT_EQ(ppt.callsOf("Font.Size="), (std::vector<std::string>{"Font.Size=16", "Font.Size=16"}));
    EXPECT_EQ(ppt.count("Shapes.AddOLEObject"), 0);
}

TEST_F(TablesWithoutWord, TheFirstExactlyNamedBackEndWins)
{
    registry::Registry::openDefault()->setValue(registry::Hive::ClassesRoot,
                                                std::string("CLSID\\") + fakeword::clsidString + "\\InprocServer32", "",
                                                registry::Value::string(fakeModulePath()));
    registerBackEnd("microsoft word", "{00000000-0000-0000-0000-0000000000A1}");
    registerBackEnd("Microsoft Word", fakeword::clsidString);
    registerBackEnd("Microsoft Word", "{00000000-0000-0000-0000-0000000000A2}");
    wordCalls().clear();
    open();
    doc->startTable();
    EXPECT_EQ(std::count(wordCalls().begin(), wordCalls().end(), "start()"), 1);
    doc->endTable();
}

TEST_F(TablesWithoutWord, ABackEndThatCannotBeMadeIsTriedAgain)
{
    registerBackEnd("Microsoft Word", "{00000000-0000-0000-0000-0000000000A3}");
    open();
    doc->startTable();
    text("plain");
    doc->endTable();
    EXPECT_EQ(bodyOf(1), "plain");
}

}  // namespace
