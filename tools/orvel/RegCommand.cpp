// Placeholder until this command is built.
#include <cstdio>

#include "Commands.h"

namespace orvel_cli {

int regCommand(Args)
{
    std::fprintf(stderr, "orvel reg: not available in this build\n");
    return 1;
}

}  // namespace orvel_cli
