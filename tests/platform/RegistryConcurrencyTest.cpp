// Several processes on one registry file: no write is lost, and a process
// killed in the middle of writing leaves every committed value readable.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

#include <sqlite3.h>

#include "common/TestEnv.h"
#include "registry/Registry.h"

namespace {

using registry::Hive;
using registry::Registry;
using registry::Value;

constexpr int valuesPerWriter = 1000;

// Writes `count` values, one transaction each, then leaves with status 0
// (1 when a write failed). Runs in a forked child.
[[noreturn]] void writeValues(const std::string& path, const std::string& key, int count, int progressFd)
{
    int status = 0;
    try {
        Registry reg(path);
        for (int i = 0; i < count; ++i) {
            reg.setValue(Hive::CurrentUser, key, "v" + std::to_string(i), Value::number(static_cast<std::uint32_t>(i)));
            if (progressFd >= 0 && write(progressFd, &i, sizeof i) != sizeof i) status = 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "writer %s: %s\n", key.c_str(), e.what());
        status = 1;
    }
    _exit(status);
}

int waitFor(pid_t child)
{
    int status = 0;
    waitpid(child, &status, 0);
    return status;
}

TEST(RegistryConcurrency, TwoProcessesWritingAtOnceLoseNothing)
{
    testenv::TempDir dir;
    std::string path = (dir / "registry.db").string();
    pid_t writers[2];
    for (int w = 0; w < 2; ++w) {
        writers[w] = fork();
        ASSERT_GE(writers[w], 0);
        if (writers[w] == 0) writeValues(path, "Software\\Writer" + std::to_string(w), valuesPerWriter, -1);
    }
    for (pid_t writer : writers) {
        int status = waitFor(writer);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "writer failed, status " << status;
    }
    Registry reg(path);
    for (int w = 0; w < 2; ++w) {
        auto values = reg.values(Hive::CurrentUser, "Software\\Writer" + std::to_string(w));
        ASSERT_EQ(values.size(), static_cast<std::size_t>(valuesPerWriter));
        for (int i = 0; i < valuesPerWriter; i += 97)
            EXPECT_EQ(reg.getValue(Hive::CurrentUser, "Software\\Writer" + std::to_string(w), "v" + std::to_string(i))->dword,
                      static_cast<std::uint32_t>(i));
    }
    EXPECT_EQ(reg.subKeys(Hive::CurrentUser, "Software").size(), 2u);
}

// Processes that start on a registry file nobody has made yet all switch it
// to write-ahead logging at once; none of them may fail for that.
TEST(RegistryConcurrency, ProcessesOpeningANewFileTogetherAllSucceed)
{
    testenv::TempDir dir;
    for (int round = 0; round < 20; ++round) {
        const std::string path = (dir / ("registry" + std::to_string(round) + ".db")).string();
        int start[2];
        ASSERT_EQ(pipe(start), 0);
        std::vector<pid_t> writers(12);
        for (std::size_t w = 0; w < writers.size(); ++w) {
            writers[w] = fork();
            ASSERT_GE(writers[w], 0);
            if (writers[w] == 0) {
                close(start[1]);
                char go;
                (void)!read(start[0], &go, 1);  // returns when the parent closes its end: all start together
                writeValues(path, "Software\\Writer" + std::to_string(w), 1, -1);
            }
        }
        close(start[0]);
        close(start[1]);
        for (pid_t writer : writers) {
            int status = waitFor(writer);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "round " << round << ", status " << status;
        }
    }
}

TEST(RegistryConcurrency, KilledWriterLeavesEveryCommittedValue)
{
    testenv::TempDir dir;
    std::string path = (dir / "registry.db").string();
    { Registry create(path); }
    int pipeFds[2];
    ASSERT_EQ(pipe(pipeFds), 0);
    pid_t writer = fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
        close(pipeFds[0]);
        writeValues(path, "Software\\Victim", 1000000, pipeFds[1]);
    }
    close(pipeFds[1]);
    int committed = -1, last = -1;
    while (committed < 300 && read(pipeFds[0], &last, sizeof last) == sizeof last) committed = last;
    kill(writer, SIGKILL);
    waitFor(writer);
    // Reports written before the kill are still in the pipe.
    while (read(pipeFds[0], &last, sizeof last) == sizeof last) committed = last;
    close(pipeFds[0]);
    ASSERT_GE(committed, 300);

    Registry reg(path);
    for (int i = 0; i <= committed; ++i) {
        auto value = reg.getValue(Hive::CurrentUser, "Software\\Victim", "v" + std::to_string(i));
        ASSERT_TRUE(value) << "committed value v" << i << " lost";
        EXPECT_EQ(value->dword, static_cast<std::uint32_t>(i));
    }
    // The database is consistent and writable again.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    sqlite3_stmt* check = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &check, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(check), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(check, 0)), "ok");
    sqlite3_finalize(check);
    sqlite3_close(db);
    reg.setValue(Hive::CurrentUser, "Software\\Victim", "after", Value::string("yes"));
    EXPECT_EQ(reg.getValue(Hive::CurrentUser, "Software\\Victim", "after")->text, "yes");
}

TEST(RegistryConcurrency, ForkedChildGetsItsOwnDefaultConnection)
{
    testenv::ScopedRegistry scoped;
    auto parent = Registry::openDefault();
    parent->setValue(Hive::CurrentUser, "Family", "parent", Value::string("1"));
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        int status = 0;
        try {
            auto own = Registry::openDefault();
            status = own == parent ? 2 : 0;
            own->setValue(Hive::CurrentUser, "Family", "child", Value::string("1"));
        } catch (...) {
            status = 1;
        }
        _exit(status);
    }
    int status = waitFor(child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(parent->getValue(Hive::CurrentUser, "Family", "child"));
}

}  // namespace
