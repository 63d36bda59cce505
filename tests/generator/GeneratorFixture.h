// A fresh Orvel object per test, attached to the PowerPoint stand-in running
// in this process (registered in the running-object table, as a started
// PowerPoint is), in its own registry and working folder, tracing every call
// into a log file the test can read. Results are read back from the saved
// deck and compared as a compact dump.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "com/ComError.h"
#include "com/ComPtr.h"
#include "com/ComString.h"
#include "common/PackageReader.h"
#include "common/TestEnv.h"
#include "document/IDocument.h"
#include "powerpoint/PowerPoint.h"
#include "objects/Objects.h"
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

// The HRESULT of the ComError that call raises; S_OK when it raises none.
template <class Call>
HRESULT comErrorOf(Call&& call)
{
    try {
        call();
    } catch (const ComError& e) {
        return e.Error();
    }
    return S_OK;
}

// testenv::expectRecorded with tests/generator/expected/<Suite>.<Test><tag>.txt.
void expectRecorded(const std::string& actual, const std::string& tag = "");
// The lines, each ended by a line end.
std::string joined(const std::vector<std::string>& lines);

// A 1 x 1 GIF picture.
extern const std::string tinyGif;

class GeneratorTest : public ::testing::Test {
protected:
    GeneratorTest();
    ~GeneratorTest() override;

    // An object with the close pause switched off and echo into logPath.
    ComPtr<IDocument> newObject();
    // start + create(deckPath(name)) on doc.
    void open(const std::string& name = "deck");
    // dir/name, a .pptx when the name has no extension: the tests read the
    // package back (the .ppt that create's default name gives is tests/binary's).
    std::string deckPath(const std::string& name = "deck") const;

    void text(std::string_view t);
    void endl();
    void option(const char* word);
    void image(const std::string& file, const std::string& link = "");

    std::vector<std::string> logLines() const;
    // Log lines from the first one equal to line on (empty when none).
    std::vector<std::string> logFrom(const std::string& line) const;

    // Slides of the newest presentation open in PowerPoint now.
    int slideCount() const;
    // Closes the deck, checks it with the validator and reads it back.
    pptx::Package saved(const std::string& name = "deck");
    // Its dump, the test's folder written as <dir>.
    std::string savedDump(const std::string& name = "deck") { return withoutDir(pptx::dump(saved(name))); }
    std::string withoutDir(std::string text) const;

    testenv::ScopedRegistry registry;
    testenv::TempDir dir;
    ScopedCurrentDir cwd{dir.path()};
    // The stand-in's application registers itself as the running PowerPoint; Quit takes it away.
    ComPtr<PowerPoint::_Application> powerpoint = ppt::makeApplication();
    std::filesystem::path logPath = dir / "trace.log";
    ComPtr<IDocument> doc;
};

}  // namespace gentest
