// A folder with a private registry and home, where orvel runs scripts, and
// what such runs leave: files, hidden temporaries, deck contents.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "CliRunner.h"
#include "PackageParts.h"
#include "common/PackageCheck.h"
#include "common/TestEnv.h"

namespace hostile {

inline bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The text of every slide of a deck, one after another.
inline std::string slideText(const std::filesystem::path& deck)
{
    std::string all;
    for (const auto& [name, bytes] : regtest::readParts(deck, {"ppt/slides/slide"})) all += bytes;
    return all;
}

// Names in a folder that start with a dot: temporaries a save left behind.
inline std::vector<std::string> hiddenFiles(const std::filesystem::path& folder)
{
    std::vector<std::string> hidden;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().string().starts_with(".")) hidden.push_back(entry.path().filename().string());
    return hidden;
}

// A 1 x 1 GIF.
inline std::string tinyGif()
{
    return std::string("GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff\x21\xf9\x04\x01\x00\x00\x00\x00"
                       "\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3b",
                       43);
}

class ScriptRun {
public:
    ScriptRun() : home_("HOME", (dir / "home").string())
    {
        std::filesystem::create_directories(dir / "home" / "Documents");
    }
    clitest::Run run(const std::string& script, const std::string& options = "")
    {
        testenv::writeFile(dir / "script.orvel", script);
        return clitest::orvel("run --set PowerPoint/ClosePauseMs=0 " + options + " script.orvel", dir.path());
    }
    std::filesystem::path documents() const { return dir / "home" / "Documents"; }

    testenv::ScopedRegistry registry;
    testenv::TempDir dir;

private:
    testenv::ScopedEnv home_;
};

}  // namespace hostile
