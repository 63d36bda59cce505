// The subcommands of `orvel`; each lives in its own file and gets the
// arguments after its name. Each returns the process exit status.
#pragma once

#include <span>

namespace orvel_cli {

using Args = std::span<char* const>;

int runCommand(Args args);         // orvel run SCRIPT...
int registerCommand(Args args);    // orvel register
int unregisterCommand(Args args);  // orvel unregister
int showCommand(Args args);        // orvel show
int settingsCommand(Args args);    // orvel settings
int regCommand(Args args);         // orvel reg query|add|delete|export

}  // namespace orvel_cli
