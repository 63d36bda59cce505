// Reads back a saved deck for tests: its parts by name, and the text of a
// part's paragraphs.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace deck {

// Every part of the package, by name ("ppt/slides/slide1.xml").
std::map<std::string, std::string> readParts(const std::filesystem::path& package);

// The text of each paragraph of a part (runs joined, <a:br/> as "\v").
std::vector<std::string> paragraphs(const std::string& partXml);

}  // namespace deck
