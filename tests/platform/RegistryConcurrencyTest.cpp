// Several processes on one registry file: no write is lost, and a process
// that ends without closing its connection has its writes in the file.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

#include "common/TestEnv.h"
#include "registry/Registry.h"

namespace {

using registry::Hive;
using registry::Registry;
using registry::Value;

constexpr int valuesPerWriter = 1000;

// Writes `count` values, one transaction each, then leaves with status 0
// (1 when a write failed). Runs in a forked child.
[[noreturn]] void writeValues(const std::string& path, const std::string& key, int count)
{
    int status = 0;
    try {
        Registry reg(path);
        for (int i = 0; i < count; ++i)
            reg.setValue(Hive::CurrentUser, key, "v" + std::to_string(i), Value::number(static_cast<std::uint32_t>(i)));
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

// `writers` processes, released together, each writing `count` values under
// Software\Writer<n>; true when every one of them succeeded.
bool writeTogether(const std::string& path, int writers, int count)
{
    int start[2];
    if (pipe(start) != 0) return false;
    std::vector<pid_t> children;
    for (int w = 0; w < writers; ++w) {
        pid_t child = fork();
        if (child == 0) {
            close(start[1]);
            char go;
            (void)!read(start[0], &go, 1);  // returns when the parent closes its end
            writeValues(path, "Software\\Writer" + std::to_string(w), count);
        }
        if (child > 0) children.push_back(child);
    }
    close(start[0]);
    close(start[1]);
    bool ok = static_cast<int>(children.size()) == writers;
    for (pid_t child : children) {
        int status = waitFor(child);
        ok = ok && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    return ok;
}

TEST(RegistryConcurrency, ProcessesWritingAtOnceLoseNothing)
{
    testenv::TempDir dir;
    std::string path = (dir / "registry.db").string();
    ASSERT_TRUE(writeTogether(path, 2, valuesPerWriter));
    Registry reg(path);
    for (int w = 0; w < 2; ++w) {
        const std::string key = "Software\\Writer" + std::to_string(w);
        ASSERT_EQ(reg.values(Hive::CurrentUser, key).size(), static_cast<std::size_t>(valuesPerWriter));
        for (int i = 0; i < valuesPerWriter; i += 97)
            EXPECT_EQ(reg.getValue(Hive::CurrentUser, key, "v" + std::to_string(i))->dword, static_cast<std::uint32_t>(i));
    }
    EXPECT_EQ(reg.subKeys(Hive::CurrentUser, "Software").size(), 2u);
    // Processes that start on a file nobody has made yet all switch it to
    // write-ahead logging at once; none of them may fail for that.
    for (int round = 0; round < 20; ++round)
        EXPECT_TRUE(writeTogether((dir / ("new" + std::to_string(round) + ".db")).string(), 12, 1)) << "round " << round;
}

// A forked child opens its own connection, and leaves with _exit, that
// connection never closed, as a killed writer would: its value is there all
// the same. (Kills during registration: hostile/RegistrationTest.)
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
