// The parts of a written package, to compare two decks part by part.
#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace regtest {

// Part name -> bytes, for the parts whose name starts with one of the
// prefixes (all parts when none is given). Empty when the file is no ZIP.
std::map<std::string, std::string> readParts(const std::filesystem::path& package,
                                             std::initializer_list<const char*> prefixes = {});
// The slides, their notes and relationships, and the pictures they show.
std::map<std::string, std::string> slideParts(const std::filesystem::path& package);

}  // namespace regtest
