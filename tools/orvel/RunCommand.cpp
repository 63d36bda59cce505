// Placeholder until this command is built.
#include <cstdio>

#include "Commands.h"

namespace orvel_cli {

int runCommand(Args)
{
    std::fprintf(stderr, "orvel run: not available in this build\n");
    return 1;
}

}  // namespace orvel_cli
