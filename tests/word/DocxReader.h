// Reads back what the Word stand-in wrote: the parts of a package and the
// tables of its document, as an independent reader would see them.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <pugixml.hpp>

namespace wordtest {

// Every member of the ZIP archive by name; empty when it cannot be read.
std::map<std::string, std::string> readPackage(const std::filesystem::path& file);

// Each table's rows, each row's cells, each cell's paragraphs joined by "\n".
using TableText = std::vector<std::vector<std::string>>;
std::vector<TableText> tableTexts(const pugi::xml_document& document);
// The texts of the paragraphs directly in the body (w:t as written, w:tab as a tab).
std::vector<std::string> bodyParagraphs(const pugi::xml_document& document);
// An XPath expression's value as text ("true"/"false" for a test, the first
// node's text for a node set).
std::string evaluate(const pugi::xml_node& node, const char* xpath);

}  // namespace wordtest
