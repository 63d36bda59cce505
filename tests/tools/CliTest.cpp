// The orvel program end to end: scripts run against the modules of this
// build, exit statuses and messages, registration commands.
#include <gtest/gtest.h>

#include "CliRunner.h"
#include "PackageParts.h"
#include "common/PackageCheck.h"
#include "common/TestEnv.h"
#include "registry/Registry.h"

namespace {

using clitest::orvel;
using registry::Hive;

bool fileExists(const std::filesystem::path& p) { return std::filesystem::exists(p); }

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class Cli : public ::testing::Test {
protected:
    // A registry that knows the modules of this build.
    void registerModules()
    {
        auto r = orvel("register", dir.path());
        ASSERT_EQ(r.status, 0) << r.err;
    }
    clitest::Run run(const std::string& script, const std::string& options = "")
    {
        testenv::writeFile(dir / "script.orvel", script);
        return orvel("run --set PowerPoint/ClosePauseMs=0 " + options + " script.orvel", dir.path());
    }

    testenv::ScopedRegistry scopedRegistry;
    testenv::TempDir dir;
};

using clitest::smallDeck;

// Each command line gives its exit status and what it says: on standard
// output when the status is 0, else on standard error.
TEST_F(Cli, CommandLinesAnswerWithTheirStatusAndMessage)
{
    const std::tuple<std::string, int, std::string> cases[] = {
        {"--version", 0, "orvel 2.0.0\n"}, {"--help", 0, "run"}, {"--help", 0, "register"}, {"--help", 0, "show"},
        {"run --help", 0, "usage: orvel run"}, {"register --help", 0, "usage: orvel register"},
        {"unregister --help", 0, "usage: orvel unregister"}, {"show --help", 0, "usage: orvel show"},
        {"reg --help", 0, "usage: orvel reg"}, {"settings --help", 0, "usage: orvel settings"},
        {"frobnicate", 2, ""}, {"", 2, ""}, {"run", 2, ""}, {"run --bogus x.orvel", 2, ""}, {"run --set", 2, ""},
        {"run --set NoSlash x.orvel", 2, "--set wants GROUP/NAME=VALUE"},
        {"run missing.orvel", 2, "missing.orvel: cannot read the script"},
        {"run .", 2, ""}, {"register --bogus", 2, ""}, {"show extra", 2, ""}};
    for (const auto& [args, status, says] : cases) {
        auto r = orvel(args, dir.path());
        EXPECT_EQ(r.status, status) << args << ": " << r.err;
        EXPECT_TRUE(contains(status == 0 ? r.out : r.err, says)) << args << ": " << r.out << r.err;
    }
}

TEST_F(Cli, WritesADeckFromAScriptRegisteringTheModulesOnce)
{
    auto first = run(smallDeck);
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_TRUE(contains(first.err, "orvel: registered the modules in "));
    EXPECT_EQ(testenv::validatePackage(dir / "deck.pptx").status, 0);
    EXPECT_TRUE(contains(regtest::readParts(dir / "deck.pptx", {"ppt/slides/slide1.xml"})["ppt/slides/slide1.xml"],
                         "Hello"));
    auto second = run(smallDeck);
    ASSERT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(second.err, "");  // registered already: nothing to say
    EXPECT_EQ(second.out, "");
}

TEST_F(Cli, ReadsStandardInputAndPrintsOutTexts)
{
    registerModules();
    auto r = orvel("run -", dir.path(), "orvel->getDocType();\norvel->getPropPages();\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "PowerPoint\n{474BDD95-0170-11D3-A6BF-00104B2AEFE1}\n");
    // A byte order mark and Windows line ends, as editors on Windows save scripts.
    auto windows = orvel("run -", dir.path(), "\xEF\xBB\xBForvel->getDocType();\r\n# done\r\n");
    ASSERT_EQ(windows.status, 0) << windows.err;
    EXPECT_EQ(windows.out, "PowerPoint\n");
}

TEST_F(Cli, ScriptsThatDoNotParseRunNothingAndNameTheLine)
{
    const std::pair<std::string, std::string> cases[] = {
        {"orvel->frobnicate();\n", "script.orvel:7: parse error: unknown method 'frobnicate'"},
        {std::string("\x7f" "ELF\x02\x01\x01\0\0\0\xff\xfe", 13) + "\n",
         "script.orvel:7: parse error: expected a statement"},
    };
    for (const auto& [badLine, message] : cases) {
        auto r = run(std::string(smallDeck) + badLine);
        EXPECT_EQ(r.status, 2) << badLine;
        EXPECT_TRUE(contains(r.err, message)) << r.err;
        EXPECT_FALSE(fileExists(dir / "deck.pptx"));
    }
    // Nothing ran at all: not even the modules were registered.
    auto reg = registry::Registry::openDefault();
    EXPECT_FALSE(reg->keyExists(Hive::ClassesRoot, "Orvel.Orvel"));
}

// (A call after stop: generator/LifecycleTest, StopSavesAndClosesEveryPresentationThenQuits.)
TEST_F(Cli, ACallThatRaisesStopsTheRunWithItsReasonAndNoFile)
{
    // Setting names ignore letter case, as in the registry.
    auto missingTemplate = run(smallDeck, "--set powerpoint/PPTTEMPLATENAME=/no/such/design.potx");
    EXPECT_EQ(missingTemplate.status, 1);
    EXPECT_TRUE(contains(missingTemplate.err, "script.orvel:2: Powerpoint template does not exist.\n/no/such/design.potx"))
        << missingTemplate.err;
    EXPECT_FALSE(fileExists(dir / "deck.pptx"));
}

TEST_F(Cli, KeepGoingReportsEveryFailureAndFinishesTheDeck)
{
    testenv::writeFile(dir / "fake.gif", "this is no picture");
    const char* script =
        "orvel->start();\n"
        "orvel->create(\"deck.pptx\");\n"
        "orvel->insertImage(\"fake.gif\",\"\");\n"
        "orvel->insertText(\"after the picture\");\n"
        "orvel->insertEndl();\n"
        "orvel->insertImage(\"fake.gif\",\"\");\n"
        "orvel->close();\n"
        "orvel->stop();\n";
    auto stopped = run(script);
    EXPECT_EQ(stopped.status, 1);
    EXPECT_TRUE(contains(stopped.err, "script.orvel:3: ")) << stopped.err;
    EXPECT_FALSE(contains(stopped.err, "script.orvel:6: "));
    std::filesystem::remove(dir / "deck.pptx");

    auto kept = run(script, "--keep-going");
    EXPECT_EQ(kept.status, 1);
    EXPECT_TRUE(contains(kept.err, "script.orvel:3: ")) << kept.err;
    EXPECT_TRUE(contains(kept.err, "script.orvel:6: ")) << kept.err;
    ASSERT_TRUE(fileExists(dir / "deck.pptx"));
    EXPECT_EQ(testenv::validatePackage(dir / "deck.pptx").status, 0);
    EXPECT_TRUE(contains(regtest::readParts(dir / "deck.pptx", {"ppt/slides/slide1.xml"})["ppt/slides/slide1.xml"],
                         "after the picture"));
}

// What the help tells a user does what it says: the ending that `show --help`
// gives for showing a deck saves it, and `run --help` says that InstallDir
// takes no override (a bare template name still looks in the registry's).
TEST_F(Cli, TheHelpSaysWhatHappens)
{
    std::string help = orvel("show --help", dir.path()).out, ending;
    for (std::size_t at = help.find("orvel->"); at != std::string::npos; at = help.find("orvel->", at + 1))
        ending += help.substr(at, help.find(';', at) + 1 - at) + "\n";
    registerModules();
    registry::Registry::openDefault()->setValue(Hive::CurrentUser, "Software\\Orvel\\PowerPoint", "Viewer",
                                                registry::Value::string(""));
    auto shown = run("orvel->start();\norvel->create(\"deck.pptx\");\norvel->insertText(\"Hello\");\n" + ending);
    EXPECT_EQ(shown.status, 0) << ending << shown.err;
    EXPECT_EQ(testenv::validatePackage(dir / "deck.pptx").status, 0) << ending;

    EXPECT_TRUE(contains(orvel("run --help", dir.path()).out, "Settings/InstallDir cannot be\n"));
    auto overridden = run(smallDeck, "--set Settings/InstallDir=" + dir.path().string() +
                                         " --set PowerPoint/PptTemplateName=design.potx");
    EXPECT_EQ(overridden.status, 1);
    EXPECT_TRUE(contains(overridden.err, "Templates\\design.potx")) << overridden.err;
    EXPECT_FALSE(contains(overridden.err, dir.path().string())) << overridden.err;
}

TEST_F(Cli, RegisterAndUnregisterHandleTheModulesBesideTheProgram)
{
    auto reg = orvel("register", dir.path());
    ASSERT_EQ(reg.status, 0) << reg.err;
    for (const char* module : {"liborvelcom.so", "libpowerpoint.so", "liborvelword.so"})
        EXPECT_TRUE(contains(reg.out, std::string("registered ") + ORVEL_LIB_DIR)) << reg.out << module;
    auto db = registry::Registry::openDefault();
    EXPECT_TRUE(db->keyExists(Hive::ClassesRoot, "Orvel.Orvel\\CurVer"));
    EXPECT_TRUE(db->keyExists(Hive::ClassesRoot, "PowerPoint.Application"));
    // The install directory beside the program, with its two folders, unless one is set.
    const std::string settings = "Software\\Orvel\\Settings";
    auto installDir = db->getValue(Hive::CurrentUser, settings, "InstallDir");
    ASSERT_TRUE(installDir);
    EXPECT_EQ(installDir->text, std::filesystem::canonical(ORVEL_BINARY_DIR "/share/orvel").string());
    for (const char* folder : {"Templates", "pix"})
        EXPECT_TRUE(std::filesystem::is_directory(std::filesystem::path(installDir->text) / folder)) << folder;
    db->setValue(Hive::CurrentUser, settings, "InstallDir", registry::Value::string("/opt/decks"));
    ASSERT_EQ(orvel("register", dir.path()).status, 0);
    EXPECT_EQ(db->getValue(Hive::CurrentUser, settings, "InstallDir")->text, "/opt/decks");

    // What unregistration keeps and removes: tests/registration/RegistrationTest.
    auto unreg = orvel("unregister", dir.path());
    ASSERT_EQ(unreg.status, 0) << unreg.err;
    EXPECT_FALSE(db->keyExists(Hive::ClassesRoot, "Orvel.Orvel"));

    // A module named through a link is registered under its real path.
    std::filesystem::create_symlink(std::string(ORVEL_LIB_DIR) + "/liborvelcom.so", dir / "link.so");
    ASSERT_EQ(orvel("register link.so", dir.path()).status, 0);
    auto path = db->getValue(Hive::ClassesRoot, "CLSID\\{474BDD94-0170-11D3-A6BF-00104B2AEFE1}\\InprocServer32", "");
    ASSERT_TRUE(path);
    EXPECT_EQ(path->text, std::filesystem::canonical(std::string(ORVEL_LIB_DIR) + "/liborvelcom.so").string());

    auto notAModule = orvel("register script.orvel", dir.path());
    EXPECT_EQ(notAModule.status, 1);
    EXPECT_TRUE(contains(notAModule.err, "no such module")) << notAModule.err;
}

// Every feature of a deck (the golden script), and the echoes that need care.
TEST_F(Cli, ATraceLogReadsBackAsTheScriptThatMakesTheSameDeckAndLog)
{
    std::filesystem::copy_file(std::string(ORVEL_SOURCE_DIR) + "/examples/chart.gif", dir / "chart.gif");
    testenv::writeFile(dir / "notes.txt", "First line\nsecond line\n");
    std::string script = testenv::readFile(std::string(ORVEL_SOURCE_DIR) + "/tests/golden/features.orvel");
    script.insert(script.rfind("orvel->close();"),
                  "orvel->insertText(\"Quotes \"inside\", and\na second line\");\n"
                  "orvel->setFontAttribute(16,TRUE);\n"
                  "orvel->insertText(\"see <a href=\"Slide 2\">two</a>, <a href=\"#GUID 7\">seven</a> or <a href=\"x\">\");\n"
                  "orvel->insertImage(\"missing.gif\",\"\");\n"
                  "orvel->setOption(\"startNote\",\"\");\norvel->insertText(\"notes <a href=\"x\">as they are</a>\");\n");
    auto first = run(script, "--trace trace.log");
    ASSERT_EQ(first.status, 0) << first.err;
    std::string log = testenv::readFile(dir / "trace.log");
    EXPECT_TRUE(contains(log, "orvel->insertText(\"Quotes \"inside\", and\na second line\");\n")) << log;
    EXPECT_TRUE(contains(log, "orvel->setFontAttribute(TRUE);\n")) << log;
    EXPECT_TRUE(contains(log, "ERR File not found: missing.gif\n")) << log;
    // The object's own calls for the links are in the log; run again, they would write the text twice.
    EXPECT_TRUE(contains(log, "orvel->insertText(\", \");\norvel->insertXref(\"seven\",\"GUID 7\");\n")) << log;

    // Run again in the same folder, so that links to its files stay the same.
    auto original = regtest::slideParts(dir / "features.pptx");
    ASSERT_TRUE(original.contains("ppt/slides/slide2.xml"));
    std::filesystem::rename(dir / "trace.log", dir / "replay.orvel");
    std::filesystem::remove(dir / "features.pptx");
    auto replay = orvel("run --set PowerPoint/ClosePauseMs=0 --trace trace.log replay.orvel", dir.path());
    ASSERT_EQ(replay.status, 0) << replay.err;
    EXPECT_EQ(testenv::readFile(dir / "trace.log"), log);
    EXPECT_EQ(regtest::slideParts(dir / "features.pptx"), original);
}

TEST_F(Cli, ShowsAProgressBarOnATerminalOnly)
{
    std::string script = "orvel->getDocType();\n";
    std::string many;
    for (int i = 0; i < 3000; ++i) many += "orvel->insertTOC();\n";
    testenv::writeFile(dir / "long.orvel", many);
    registerModules();
    auto piped = orvel("run long.orvel", dir.path());
    ASSERT_EQ(piped.status, 0);
    EXPECT_EQ(piped.err, "");
    // `script` gives the program a terminal.
    auto onTerminal = testenv::runCommand("cd " + testenv::shellQuote(dir.path().string()) +
                                          " && script -qec " +
                                          testenv::shellQuote(clitest::leakSuppressions() + " " + clitest::orvelProgram() +
                                                              " run long.orvel") +
                                          " /dev/null");
    EXPECT_EQ(onTerminal.status, 0);
    EXPECT_TRUE(contains(onTerminal.output, "3000/3000 calls")) << onTerminal.output;
}

}  // namespace
