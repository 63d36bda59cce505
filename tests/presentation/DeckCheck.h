// Reads back a saved deck for tests: its parts by name, and the text of a
// part's paragraphs.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "common/PackageReader.h"

namespace deck {

// Every part of the package, by name ("ppt/slides/slide1.xml").
inline std::map<std::string, std::string> readParts(const std::filesystem::path& package)
{
    return pptx::readZip(package);
}

// The text of each paragraph of a part (runs joined, <a:br/> as "\v").
std::vector<std::string> paragraphs(const std::string& partXml);

}  // namespace deck
