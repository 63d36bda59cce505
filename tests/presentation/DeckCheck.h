// Reads back a saved deck for tests: parts by name, and the invariants
// PowerPoint relies on (it offers to repair files that break them).
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace deck {

// Every part of the package, by name ("ppt/slides/slide1.xml").
std::map<std::string, std::string> readParts(const std::filesystem::path& package);

// Problems found: child order in text, required children, whole-number and
// non-negative EMU geometry, unique shape ids per part, slide ids from 256
// and unique, relationship ids unique per part with every internal target
// present and every r:id defined, a content type for every part and no
// override for a missing part. Empty when the deck is sound.
std::vector<std::string> invariantProblems(const std::filesystem::path& package);

// The text of each paragraph of a part (runs joined, <a:br/> as "\v").
std::vector<std::string> paragraphs(const std::string& partXml);

}  // namespace deck
