// A fresh Orvel object per test, attached to a recording fake PowerPoint
// registered in the running-object table, in its own registry and working
// folder, tracing every call into a log file the test can read.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "FakePowerPoint.h"
#include "com/ComPtr.h"
#include "com/ComString.h"
#include "common/TestEnv.h"
#include "document/IDocument.h"
#include "support/KestException.h"

namespace gentest {

inline com::BStr bs(std::string_view text)
{
    return com::BStr(text);
}

// Changes the process's working folder for the scope.
class ScopedCurrentDir {
public:
    explicit ScopedCurrentDir(const std::filesystem::path& dir) : previous_(std::filesystem::current_path())
    {
        std::filesystem::current_path(dir);
    }
    ScopedCurrentDir(const ScopedCurrentDir&) = delete;
    ScopedCurrentDir& operator=(const ScopedCurrentDir&) = delete;
    ~ScopedCurrentDir() { std::filesystem::current_path(previous_); }

private:
    std::filesystem::path previous_;
};

ComPtr<IDocument> makeOrvel();

// The reason of the KestException that call raises; "" when it raises none.
template <class Call>
std::string failureOf(Call&& call)
{
    try {
        call();
    } catch (const KestException& e) {
        return e.reasonText().str();
    }
    return "";
}

class GeneratorTest : public ::testing::Test {
protected:
    GeneratorTest();
    ~GeneratorTest() override;

    // An object with the close pause switched off and echo into logPath.
    ComPtr<IDocument> newObject();
    // start + create(dir/deck) on doc.
    void open(const std::string& name = "deck");
    std::string deckPath(const std::string& name = "deck") const;

    void text(std::string_view t);
    void endl();
    void option(const char* word);

    std::vector<std::string> logLines() const;
    // Log lines from the first one equal to line on (empty when none).
    std::vector<std::string> logFrom(const std::string& line) const;
    std::shared_ptr<fakeppt::PresentationModel> deck() const { return ppt.lastPresentation(); }
    std::shared_ptr<fakeppt::SlideModel> slideAt(std::size_t index) const;  // 1-based
    std::string bodyOf(std::size_t slide) const;                             // text of the body label

    testenv::ScopedRegistry registry;
    testenv::TempDir dir;
    ScopedCurrentDir cwd{dir.path()};
    fakeppt::RunningFakePowerPoint powerpoint;
    fakeppt::Recorder& ppt = powerpoint.recorder();
    std::filesystem::path logPath = dir / "trace.log";
    ComPtr<IDocument> doc;
};

}  // namespace gentest
