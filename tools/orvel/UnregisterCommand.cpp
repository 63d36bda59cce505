// Placeholder until this command is built.
#include <cstdio>

#include "Commands.h"

namespace orvel_cli {

int unregisterCommand(Args)
{
    std::fprintf(stderr, "orvel unregister: not available in this build\n");
    return 1;
}

}  // namespace orvel_cli
