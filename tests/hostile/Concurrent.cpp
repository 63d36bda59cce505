#include "Concurrent.h"

#include <cstdlib>
#include <string_view>

#include "common/PackageCheck.h"
#include "common/TestEnv.h"

namespace hostile {

int size(int suite, int full)
{
    const char* wanted = std::getenv("ORVEL_HOSTILE_FULL");
    return wanted && std::string_view(wanted) == "1" ? full : suite;
}

std::vector<clitest::Run> orvelAtOnce(const std::vector<std::string>& args, const std::filesystem::path& dir)
{
    using testenv::shellQuote;
    testenv::TempDir io;
    // Each job is one group ending in "&": the folder and the environment are set before them.
    std::string command = "cd " + shellQuote(dir.string()) + " || exit 1; export " + clitest::leakSuppressions() + "; ";
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string base = shellQuote((io / std::to_string(i)).string());
        command += "{ " + shellQuote(clitest::orvelProgram()) + " " + args[i] + " </dev/null >" + base + ".out 2>" +
                   base + ".err; echo $? >" + base + ".status; } & ";
    }
    testenv::runCommand("(" + command + "wait)");
    std::vector<clitest::Run> runs(args.size());
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string base = (io / std::to_string(i)).string();
        std::string status = testenv::readFile(base + ".status");
        runs[i].status = status.empty() ? -1 : std::atoi(status.c_str());
        runs[i].out = testenv::readFile(base + ".out");
        runs[i].err = testenv::readFile(base + ".err");
    }
    return runs;
}

}  // namespace hostile
