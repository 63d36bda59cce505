// The trace log and the exception log.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "common/TestEnv.h"
#include "support/KestException.h"
#include "support/Trace.h"

namespace {

namespace fs = std::filesystem;

class TraceLog : public testing::Test {
protected:
    testenv::ScopedRegistry scoped;
    testenv::TempDir dir;
    std::string file = (dir / "orvel.log").string();
};

TEST_F(TraceLog, PiecesMakeOneLineWrittenAtTheLineEndWhileOpenAndLevelAllow)
{
    Trace trace;
    EXPECT_EQ(trace.level(), 0);
    trace.setLevel(10);
    EXPECT_FALSE(trace.isTrace(1)) << "not open yet";
    trace.open(KestString(file));
    EXPECT_TRUE(trace.isTrace(10));
    EXPECT_FALSE(trace.isTrace(11));
    trace << KestString("orvel->insertText(\"") << "Hello" << KestString("\");") << std::endl;
    trace << "orvel->setFontSize(" << static_cast<short>(-12) << ");" << std::endl;
    trace << "orvel->insertPageBreak();" << std::endl << std::endl;
    trace << "unfinished";
    // Lines reach the file at once (a crash must not lose them) ...
    EXPECT_EQ(testenv::readFile(file),
              "orvel->insertText(\"Hello\");\norvel->setFontSize(-12);\norvel->insertPageBreak();\n\n");
    // ... and a piece without its line end at close.
    trace.setLevel(1);
    EXPECT_FALSE(trace.isTrace(10));
    trace.close();
    EXPECT_FALSE(trace.isTrace(1));
    EXPECT_FALSE(trace.isOpen());
    EXPECT_EQ(testenv::readFile(file).substr(testenv::readFile(file).size() - 11), "unfinished\n");
}

// An unopenable file is reported once and writing to it is harmless; an
// empty name means standard error; a log reopened appends, found in any case.
TEST_F(TraceLog, WhereTheLinesGo)
{
    std::string bad = (dir / "no" / "such" / "folder" / "x.log").string();
    Trace trace;
    trace.setLevel(10);
    testing::internal::CaptureStderr();
    trace.open(KestString(bad));
    trace.open(KestString(bad));
    trace << "lost" << 5 << std::endl;
    EXPECT_FALSE(trace.isOpen());
    EXPECT_FALSE(trace.isTrace(1));
    trace.open(KestString(""));
    EXPECT_TRUE(trace.isOpen());
    trace << "orvel->close();" << std::endl;
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("x.log"), std::string::npos) << err;
    EXPECT_EQ(err.substr(err.find('\n') + 1), "orvel->close();\n");

    testenv::writeFile(file, "earlier\n");
    trace.open(KestString((dir / "ORVEL.LOG").string()));  // the existing file, in another case
    trace << "later" << std::endl;
    trace.open(KestString((dir / "ORVEL.LOG").string()));  // reopening the same log is harmless
    trace << "again" << std::endl;
    EXPECT_EQ(testenv::readFile(file), "earlier\nlater\nagain\n");
}

// The exception log reads its configuration once per process, so each case
// runs in a child process; the child's exit status is the verdict.
template <class Check>
void inChild(const char* categories, const char* logFile, Check check)
{
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (categories)
            setenv("ORVEL_EXCEPTION_LOG", categories, 1);
        else
            unsetenv("ORVEL_EXCEPTION_LOG");
        if (logFile)
            setenv("ORVEL_EXCEPTION_LOG_FILE", logFile, 1);
        else
            unsetenv("ORVEL_EXCEPTION_LOG_FILE");
        _exit(check(*KestException::getLog()) ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(TraceLog, ExceptionLogCategoriesAndFileFromTheEnvironment)
{
    inChild(nullptr, nullptr, [](KestLogBase& log) { return !log.isLogging("Throw") && !log.isLogging("Catch"); });
    std::string logFile = (dir / "exceptions.log").string();
    inChild("Throw,Catch", logFile.c_str(), [](KestLogBase& log) {
        bool read = log.isLogging("Throw") && log.isLogging("Catch") && !log.isLogging("Other") && !log.isLogging(nullptr);
        log.enable("Throw", false);
        log.enable("Other", true);
        log << KestString("Throw: ") << "Powerpoint template does not exist." << std::endl;
        log << "second" << std::endl;
        return read && !log.isLogging("Throw") && log.isLogging("Other") && log.isLogging("Catch");
    });
    EXPECT_EQ(testenv::readFile(logFile), "Throw: Powerpoint template does not exist.\nsecond\n");
}

}  // namespace
