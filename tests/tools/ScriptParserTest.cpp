// The script reader: every echoed line reads back, bad scripts are refused
// with their line.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "Script.h"
#include "common/TestEnv.h"

namespace {

using orvel_script::parse;
using orvel_script::ParseResult;
using orvel_script::Statement;

std::string methodName(const Statement& s) { return s.method->name; }

ParseResult parseOk(const std::string& script)
{
    ParseResult r = parse(script);
    for (const auto& e : r.errors) ADD_FAILURE() << "line " << e.line << ": " << e.message;
    return r;
}

// A line a statement: its line, method and arguments as number[text],
// against tests/tools/expected/<name>.txt.
void expectRecordedDump(const ParseResult& r, const std::string& name)
{
    std::string dump;
    for (const Statement& s : r.statements) {
        dump += std::to_string(s.line) + " " + methodName(s);
        for (const auto& a : s.args) dump += " " + std::to_string(a.number) + "[" + a.text + "]";
        dump += "\n";
    }
    testenv::expectRecorded(dump, std::filesystem::path(ORVEL_SOURCE_DIR) / "tests/tools/expected" / (name + ".txt"));
}

// Hands the script out a few bytes a read, so that every line spans the reader's windows.
struct Trickle : orvel_script::ScriptSource {
    explicit Trickle(std::string_view script) : text(script) {}
    std::size_t read(std::uint64_t offset, char* buffer, std::size_t size) const override
    {
        std::string_view part = text.substr(std::min<std::size_t>(offset, text.size()), std::min<std::size_t>(size, 7));
        std::copy(part.begin(), part.end(), buffer);
        return part.size();
    }
    std::string_view text;
};

std::string firstError(const std::string& script, int* line = nullptr)
{
    ParseResult r = parse(script);
    if (r.errors.empty()) return "";
    if (line) *line = r.errors[0].line;
    return r.errors[0].message;
}

TEST(ScriptParser, EveryMethodOfTheTableReadsBackFromItsWrittenForm)
{
    std::string script;
    std::vector<Statement> written;
    for (const doctypelib::MethodInfo& m : doctypelib::methods()) {
        Statement s;
        s.method = &m;
        int n = 0;
        for (const auto& p : m.params) {
            if (p.kind == doctypelib::ParamKind::BstrOut) continue;
            orvel_script::Argument a;
            if (p.kind == doctypelib::ParamKind::BstrIn)
                a.text = std::string(m.name) + " text " + std::to_string(n);
            else
                a.number = p.kind == doctypelib::ParamKind::BoolIn ? 1 : -7 - n;
            ++n;
            s.args.push_back(a);
        }
        written.push_back(s);
        script += orvel_script::format(s) + "\n";
    }
    ParseResult r = parseOk(script);
    ASSERT_EQ(r.statements.size(), 42u);
    for (std::size_t i = 0; i < written.size(); ++i) {
        EXPECT_EQ(r.statements[i].method, written[i].method);
        EXPECT_EQ(r.statements[i].line, static_cast<int>(i) + 1);
        ASSERT_EQ(r.statements[i].args.size(), written[i].args.size()) << methodName(written[i]);
        EXPECT_EQ(orvel_script::format(r.statements[i]), orvel_script::format(written[i]));
    }
}

// Comments, blank lines and the trace's error lines are passed over; texts
// keep quotes, separators and line feeds unescaped.
TEST(ScriptParser, ReadsTheFormsTheTraceEchoes)
{
    expectRecordedDump(parseOk(
        "# a quarterly report\n"
        "   \t\n"
        "  orvel->start();   \r\n"
        "ERR File not found: missing.gif\n"
        "\t# indented comment\n"
        "orvel->create(\"c:\\out\\report\");\n"
        "orvel->setFontAttribute(Bold,TRUE);\n"
        "orvel->setFontAttribute(Strike,FALSE);\n"
        "orvel->setFontAttribute(TRUE);\n"  // a code the echo does not name
        "orvel->setFontAttribute(2,1);\n"
        "orvel->insertPageBreak();\n"
        "\n"  // the empty line the echo of insertPageBreak leaves
        "orvel->insertFile(\"notes.txt\",0);\n"
        "orvel->setOption(\"startNote\",\"\");\n"
        "orvel->insertField(-1);"),  // the last line needs no line end
        "ScriptParser.traceForms");
    expectRecordedDump(parseOk(
        "orvel->insertText(\"He said \"hi\", then left\");\n"
        "orvel->insertText(\"two\n"
        "lines\");\n"
        "orvel->insertText(\"ends in \");\"\n"  // a line ending in ");" that goes on
        "and more\");\n"
        "orvel->insertText(\"a);\n"
        "\n"
        "b\");\n"
        "orvel->insertXref(\"see \",\" here\",\"Slide 3\");\n"
        "orvel->setOption(\"endNote\",\"x\",\"y\");\n"
        "orvel->overrideRegistry(\"Log\",\"LogName\",\"a\",\"b\",3);\n"
        "orvel->insertText(\"<a href=\"#GUID 1\">link</a>\");\n"
        "orvel->insertText(\"\");\n"
        "orvel->insertText(\"\"\");\n"),
        "ScriptParser.texts");
}

TEST(ScriptParser, RandomTextsOfQuotesSeparatorsAndLineEndsRoundTrip)
{
    // Every text over this alphabet must come back unchanged, alone and as
    // the free text of a two-text call, however the script's bytes arrive.
    const std::string alphabet = "ab\",();\n\r\t ";
    std::mt19937 random(1234);
    std::string script;
    std::vector<std::string> texts;
    for (int i = 0; i < 1500; ++i) {
        std::string text;
        int length = static_cast<int>(random() % 24);
        for (int c = 0; c < length; ++c) text += alphabet[random() % alphabet.size()];
        texts.push_back(text);
        script += "orvel->insertText(\"" + text + "\");\n";
        script += "orvel->insertXref(\"" + text + "\",\"Slide 2\");\n";
    }
    ParseResult r;
    r.errors = orvel_script::parseEach(Trickle(script), [&](Statement& s) {
        r.statements.push_back(s);
        return true;
    });
    EXPECT_TRUE(r.errors.empty());
    ASSERT_EQ(r.statements.size(), texts.size() * 2);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        ASSERT_EQ(r.statements[2 * i].args[0].text, texts[i]) << "text " << i;
        ASSERT_EQ(r.statements[2 * i + 1].args[0].text, texts[i]) << "text " << i;
        ASSERT_EQ(r.statements[2 * i + 1].args[1].text, "Slide 2");
    }
    // A NUL is a character of the text like any other. (Bytes of any kind: the script reader's fuzz target.)
    ParseResult nul = parseOk(std::string("orvel->insertText(\"a\0b\");\n", 25));
    EXPECT_EQ(nul.statements.at(0).args.at(0).text, std::string("a\0b", 3));
}

TEST(ScriptParser, RefusesBadStatementsWithTheirLine)
{
    const std::pair<std::string, std::string> cases[] = {
        {"orvel->Start();", "unknown method 'Start'"},
        {"orvel->insertText();", "'insertText' takes 1 argument, got none"},
        {"orvel->setFontSize(1,2);", "'setFontSize' takes 1 argument, got more"},
        {"orvel->insertDiagram(1,2);", "'insertDiagram' takes 3 arguments, got fewer"},
        {"orvel->insertFile(\"x\");", "'insertFile' takes 2 arguments, got fewer"},
        {"orvel->setOption(\"x\");", "expected 2 text arguments"},
        {"orvel->close(1);", "'close' takes no arguments"},
        {"orvel->setFontSize(100000);", "number out of range for 'size': 100000"},
        {"orvel->setTableRowHeight(99999999999);", "number out of range for 'points': 99999999999"},
        {"orvel->setFontSize(\"12\");", "'size' is a number, not a text"},
        {"orvel->insertText(hello\");", "a text argument must start with '\"'"},
        {"orvel->close()", "missing ';' after ')'"},
        {"orvel->close(); orvel->stop();", "unexpected text after the statement: ; orvel->stop();"},
        {"orvel->close;", "expected '(' after 'close'"},
        {"orvel->();", "expected a method name after 'orvel->'"},
        {"insertText(\"x\");", "expected a statement such as orvel->insertText(\"...\");"},
        {"orvel->setFontSize(+12);\norvel->setFontSize(-0);", ""},
    };
    for (const auto& [script, message] : cases) EXPECT_EQ(firstError(script), message) << script;
    // One sign at most, then digits only.
    for (std::string odd : {"twelve", "+-5", "-+5", "++5", "--5", "+", "-", "5-", "1e3", "0x10", "1 2", "+-99999999999"})
        EXPECT_EQ(firstError("orvel->setFontSize(" + odd + ");"), "'" + odd + "' is not a decimal number (for 'size')");
    // The line of the fault; an unterminated text: nothing ends it before the
    // end of the script, and the next statement's ");" cannot close it either.
    const std::tuple<std::string, std::string, int> placed[] = {
        {"orvel->start();\norvel->launch();\n", "unknown method 'launch'", 2},
        {"orvel->start();\norvel->insertText(\"abc\nmore text\n", "unterminated text: no line ending in \");\" closes it", 2},
        {"orvel->insertText(\"abc);\norvel->close();\norvel->stop();\n", "unterminated text (no '\"' before ');')", 1},
    };
    for (const auto& [script, message, expectedLine] : placed) {
        int line = 0;
        EXPECT_EQ(firstError(script, &line), message);
        EXPECT_EQ(line, expectedLine) << script;
    }
}

TEST(ScriptParser, GoesOnAfterAnErrorAndStopsCollectingAtTheLimit)
{
    ParseResult r = parse(
        "orvel->start();\n"
        "orvel->bogus();\n"
        "some words\n"
        "orvel->insertEndl();\n"
        "orvel->setFontSize(x);\n");
    ASSERT_EQ(r.errors.size(), 2u);
    EXPECT_EQ(r.errors[0].line, 2);
    EXPECT_EQ(r.errors[1].line, 5);
    EXPECT_EQ(r.statements.size(), 2u);

    std::string many;
    for (int i = 0; i < 50; ++i) many += "nonsense\n";
    EXPECT_EQ(parse(many, 3).errors.size(), 1u);  // resynchronises at the next statement only
    std::string manyStatements;
    for (int i = 0; i < 50; ++i) manyStatements += "orvel->nonsense();\n";
    EXPECT_EQ(parse(manyStatements, 3).errors.size(), 3u);
}

}  // namespace
