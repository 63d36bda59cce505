// Nothing of the user's is touched: trace files, the table document, special targets, the registry file.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "Concurrent.h"
#include "ScriptRun.h"
#include "registry/Registry.h"

namespace {

namespace fs = std::filesystem;
using clitest::orvel;

using hostile::contains;

class UserFiles : public ::testing::Test, public hostile::ScriptRun {};

// A deck whose slides hold `tables` tables, with the cell texts "table N: cell".
std::string tableScript(const std::string& deck, const std::string& cell, int tables = 1)
{
    std::string script = "orvel->start();\norvel->create(\"" + deck + "\");\n";
    for (int i = 0; i < tables; ++i)
        script += "orvel->insertText(\"Table\");\n"
                  "orvel->insertEndl();\n"
                  "orvel->startTable();\n"
                  "orvel->addRow();\n"
                  "orvel->addCell();\n"
                  "orvel->insertText(\"table " + std::to_string(i) + ": " + cell + "\");\n"
                  "orvel->addCell();\n"
                  "orvel->insertText(\"second cell\");\n"
                  "orvel->endTable();\n"
                  "orvel->insertPageBreak();\n";
    return script + "orvel->close();\norvel->stop();\n";
}

// The document parts of the tables embedded in a deck.
std::vector<std::string> embeddedTables(const fs::path& deck, const fs::path& scratch)
{
    std::vector<std::string> tables;
    for (const auto& [name, bytes] : regtest::readParts(deck, {"ppt/embeddings/"})) {
        testenv::writeFile(scratch, bytes);
        tables.push_back(regtest::readParts(scratch, {"word/document.xml"})["word/document.xml"]);
    }
    return tables;
}

TEST_F(UserFiles, TheTraceLeavesNumberedFilesBesideItsLogAlone)
{
    const auto monthAgo = fs::file_time_type::clock::now() - std::chrono::hours(24 * 30);
    for (const char* copy : {"run.log.1", "run.log.2", "run.log.3"}) {
        testenv::writeFile(dir / copy, "the user's\n");
        fs::last_write_time(dir / copy, monthAgo);
    }
    auto r = run(tableScript("deck.pptx", "x"), "--trace run.log");
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* copy : {"run.log.1", "run.log.2", "run.log.3"})
        EXPECT_EQ(testenv::readFile(dir / copy), "the user's\n") << copy;
}

TEST_F(UserFiles, AUsersTableDocumentIsNeitherUsedNorDeleted)
{
    testenv::writeFile(dir / "abctabxyz.doc", "the user's own\n");
    auto r = run(tableScript("deck.pptx", "x"));
    EXPECT_NE(r.status, 0);
    EXPECT_TRUE(contains(r.err, (dir / "abctabxyz.doc").string()) && contains(r.err, "not written by this run"))
        << r.err;
    EXPECT_EQ(testenv::readFile(dir / "abctabxyz.doc"), "the user's own\n");
}

// Every run in a folder writes its table under the same name: runs at once
// take turns, and each deck holds its own table. The first round starts on
// an empty registry: one run registers the modules, the others wait for it.
TEST_F(UserFiles, ParallelRunsInOneFolderEachEmbedTheirOwnTable)
{
    const int runs = hostile::size(8, 136), rounds = hostile::size(2, 20), tables = 4;
    std::vector<std::string> args;
    for (int i = 0; i < runs; ++i) {
        std::string name = "run" + std::to_string(i);
        testenv::writeFile(dir / (name + ".orvel"), tableScript(name + ".pptx", "cell of " + name + ".", tables));
        args.push_back("run --set PowerPoint/ClosePauseMs=0 " + name + ".orvel");
    }
    testenv::TempDir scratch;
    for (int round = 0; round < rounds; ++round) {
        auto results = hostile::orvelAtOnce(args, dir.path());
        int registered = 0;
        for (int i = 0; i < runs; ++i) {
            std::string name = "run" + std::to_string(i);
            ASSERT_EQ(results[i].status, 0) << "round " << round << ", " << name << ": " << results[i].err;
            registered += contains(results[i].err, "registered the modules");
            auto embedded = embeddedTables(dir / (name + ".pptx"), scratch / "table.docx");
            EXPECT_EQ(embedded.size(), static_cast<std::size_t>(tables)) << name;
            for (const std::string& table : embedded)
                EXPECT_TRUE(contains(table, "cell of " + name + ".")) << "round " << round << ": " << name
                                                                       << " holds another run's table";
            fs::remove(dir / (name + ".pptx"));
        }
        EXPECT_EQ(registered, round == 0 ? 1 : 0) << "round " << round;
        EXPECT_FALSE(fs::exists(dir / "abctabxyz.doc"));
    }
}

TEST_F(UserFiles, ExportNeverOverwritesTheRegistryOrAnExistingFile)
{
    ASSERT_EQ(orvel("reg add HKCU\\\\Orvel /v kept /d yes", dir.path()).status, 0);
    const std::string db = registry.path();
    for (const std::string& target : {db, db + "-wal", db + "-shm"}) {
        auto r = orvel("reg export HKCU\\\\Orvel " + testenv::shellQuote(target) + " --force", dir.path());
        EXPECT_EQ(r.status, 1) << target;
        EXPECT_TRUE(contains(r.err, "registry")) << r.err;
    }
    EXPECT_EQ(registry::Registry(db).getValue(registry::Hive::CurrentUser, "Orvel", "kept")->text, "yes");

    testenv::writeFile(dir / "notes.reg", "the user's\n");
    auto refused = orvel("reg export HKCU\\\\Orvel notes.reg", dir.path());
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(contains(refused.err, "--force")) << refused.err;
    EXPECT_EQ(testenv::readFile(dir / "notes.reg"), "the user's\n");
    auto forced = orvel("reg export HKCU\\\\Orvel notes.reg --force", dir.path());
    EXPECT_EQ(forced.status, 0) << forced.err;
    EXPECT_TRUE(contains(testenv::readFile(dir / "notes.reg"), "\"kept\"=\"yes\""));
    EXPECT_TRUE(contains(orvel("reg --help", dir.path()).out, "--force"));
}

TEST_F(UserFiles, TheRegistryFileAloneHoldsWhatAProcessWrote)
{
    ASSERT_EQ(orvel("reg add HKCU\\\\Orvel /v kept /d yes", dir.path()).status, 0);
    // A copy of the database file without its -wal file, as a backup would take.
    fs::copy_file(registry.path(), dir / "copy.db");
    auto kept = registry::Registry((dir / "copy.db").string()).getValue(registry::Hive::CurrentUser, "Orvel", "kept");
    ASSERT_TRUE(kept.has_value());
    EXPECT_EQ(kept->text, "yes");
}

}  // namespace
