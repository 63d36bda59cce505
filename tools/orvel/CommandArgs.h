// The argument loop of the simple subcommands: --help, unknown options and
// the positional arguments they take (if any), with the usual exit codes.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Commands.h"

namespace orvel_cli {

// Calls `positional` for each non-option argument, or rejects it when
// `positional` is empty. Returns the exit status when the command is done
// (0 after --help, 2 on a bad argument), nothing when it should go on.
std::optional<int> readArguments(Args args, const char* command, const std::string& usage,
                                 const std::function<void(const char*)>& positional = {});

// The MODULE... arguments of register/unregister as absolute paths.
std::optional<int> readModuleArguments(Args args, const char* command, const std::string& usage,
                                       std::vector<std::filesystem::path>& modules);

}  // namespace orvel_cli
