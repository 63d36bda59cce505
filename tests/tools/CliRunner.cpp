#include "CliRunner.h"

#include "common/PackageCheck.h"
#include "common/TestEnv.h"

namespace clitest {

std::string orvelProgram()
{
    return std::string(ORVEL_BIN_DIR) + "/orvel";
}

std::string leakSuppressions()
{
    return "LSAN_OPTIONS=print_suppressions=0:suppressions=" +
           testenv::shellQuote(std::string(ORVEL_SOURCE_DIR) + "/tests/lsan.supp");
}

Run orvel(const std::string& args, const std::filesystem::path& dir, const std::string& input)
{
    testenv::TempDir io;
    testenv::writeFile(io / "in", input);
    using testenv::shellQuote;
    std::string command = "cd " + shellQuote(dir.string()) + " && " + leakSuppressions() + " " +
                          shellQuote(orvelProgram()) + " " + args + " <" +
                          shellQuote((io / "in").string()) + " >" + shellQuote((io / "out").string()) + " 2>" +
                          shellQuote((io / "err").string());
    Run run;
    // The helper sends standard error to its pipe: the group keeps ours apart.
    run.status = testenv::runCommand("(" + command + ")").status;
    run.out = testenv::readFile(io / "out");
    run.err = testenv::readFile(io / "err");
    return run;
}

}  // namespace clitest
