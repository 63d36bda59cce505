// Runs the orvel program of this build in a folder, with the current
// $ORVEL_REGISTRY, and collects what it writes.
#pragma once

#include <filesystem>
#include <string>

namespace clitest {

struct Run {
    int status = -1;
    std::string out;  // standard output
    std::string err;  // standard error
};

std::string orvelProgram();
// "LSAN_OPTIONS=..." for a command line: what LeakSanitizer excuses in the
// program (the system's font library), when the build has it.
std::string leakSuppressions();
// Runs `orvel ARGS` (ARGS is a shell command line fragment) with `dir` as the
// current folder, feeding `input` on standard input.
Run orvel(const std::string& args, const std::filesystem::path& dir, const std::string& input = "");

// One slide saying "Hello", saved as deck.pptx in the run's folder.
inline constexpr const char* smallDeck =
    "orvel->start();\n"
    "orvel->create(\"deck.pptx\");\n"
    "orvel->insertText(\"Hello\");\n"
    "orvel->insertEndl();\n"
    "orvel->close();\n"
    "orvel->stop();\n";

}  // namespace clitest
