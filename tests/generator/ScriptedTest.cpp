// Call sequences kept as scripts in scripts/NAME.orvel (every file there), in
// the trace's echo syntax with comments on what they show, made on a fresh
// object in its folder, written <dir>; the calls that fail, the trace and
// every deck the script writes are compared with expected/Scripted.NAME.txt.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "GeneratorFixture.h"
#include "ScriptCall.h"
#include "support/SysTime.h"

using namespace gentest;

namespace {

namespace fs = std::filesystem;

const fs::path generatorTests = fs::path(ORVEL_SOURCE_DIR) / "tests/generator";

std::vector<std::string> scriptNames()
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(generatorTests / "scripts")) names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

class Scripted : public GeneratorTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(Scripted, DecksAsRecorded)
{
    testenv::writeFile(dir / "pic.gif", tinyGif);
    testenv::writeFile(dir / "bad.jpg", "\xFF\xD8\xFF not a picture");
    std::string script = testenv::readFile(generatorTests / "scripts" / (GetParam() + ".orvel"));
    for (std::size_t at; (at = script.find("<dir>")) != std::string::npos;) script.replace(at, 5, dir.path().string());
    const auto parsed = orvel_script::parse(script);
    ASSERT_TRUE(parsed.ok()) << parsed.errors.front().line << ": " << parsed.errors.front().message;
    // A call that fails is recorded with its HRESULT or reason, and the script goes on.
    std::string failures;
    for (const orvel_script::Statement& statement : parsed.statements) {
        HRESULT hr = S_OK, thrown = S_OK;
        std::string reason =
            failureOf([&] { thrown = comErrorOf([&] { hr = orvel_script::call(*doc.get(), statement); }); });
        if (FAILED(thrown)) hr = thrown;
        if (FAILED(hr)) {
            char code[16];
            std::snprintf(code, sizeof code, "0x%08x", static_cast<unsigned>(hr));
            reason = code;
        }
        if (!reason.empty()) failures += orvel_script::format(statement) + " fails: " + reason + "\n";
    }
    doc->close();
    std::vector<std::string> decks;
    for (const auto& entry : fs::directory_iterator(dir.path()))
        if (entry.path().extension() == ".pptx") decks.push_back(entry.path().stem().string());
    std::sort(decks.begin(), decks.end());
    std::string dumps = failures + "== trace\n" + withoutDir(joined(logLines()));
    for (const std::string& deck : decks) dumps += "== " + deck + "\n" + savedDump(deck);
    const std::string today = SysTime::currentDate().str();
    for (std::size_t at; (at = dumps.find(today)) != std::string::npos;) dumps.replace(at, today.size(), "<today>");
    testenv::expectRecorded(dumps, generatorTests / "expected" / ("Scripted." + GetParam() + ".txt"));
}

INSTANTIATE_TEST_SUITE_P(Scripts, Scripted, ::testing::ValuesIn(scriptNames()),
                         [](const auto& info) { return info.param; });

}  // namespace
