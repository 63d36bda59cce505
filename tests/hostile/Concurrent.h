// Many orvel processes at once, and the sizes of the hostile runs: small in
// the suite, full when ORVEL_HOSTILE_FULL=1 is set (by hand, for figures).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "CliRunner.h"

namespace hostile {

// `suite` normally, `full` when ORVEL_HOSTILE_FULL=1.
int size(int suite, int full);

// Starts `orvel ARGS` for every element of args at the same time, each with
// `dir` as its current folder, and waits for all of them.
std::vector<clitest::Run> orvelAtOnce(const std::vector<std::string>& args, const std::filesystem::path& dir);

}  // namespace hostile
