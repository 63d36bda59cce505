// The COM modules installed beside the program (in ../lib) and their
// registration entry points, as `orvel register` and `orvel run` use them.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace orvel_cli {

// The folder of the running program (resolved through /proc/self/exe).
std::filesystem::path programDir();
// The lib folder beside it: <program dir>/../lib.
std::filesystem::path moduleDir();
// Those of liborvelcom.so, libpowerpoint.so and liborvelword.so that are
// in that folder, in registration order.
std::vector<std::filesystem::path> installedModules();

// Loads each module and calls its DllRegisterServer or DllUnregisterServer,
// all in one registry transaction: every module's entries are kept, or none.
// Problems are written to `errors` as "orvel: <module>: <reason>"; each
// module done is written to `done` when it is given. True when all succeeded.
bool registerModules(const std::vector<std::filesystem::path>& modules, std::FILE* errors, std::FILE* done = nullptr);
bool unregisterModules(const std::vector<std::filesystem::path>& modules, std::FILE* errors, std::FILE* done = nullptr);
// Registers the modules unless every class they serve is registered with its
// module in place; processes running this at once wait for each other and
// the modules are registered once. *registered tells whether this call did.
// False (problems written to `errors`) when registration failed.
bool ensureRegistered(const std::vector<std::filesystem::path>& modules, std::FILE* errors, bool* registered);

}  // namespace orvel_cli
