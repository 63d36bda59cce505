// Reads back what the Word stand-in wrote: its main part as XML, and its
// tables as the presentation side's reader of Word tables sees them.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <pugixml.hpp>

namespace wordtest {

// word/document.xml of the package (empty when it does not parse).
pugi::xml_document mainPart(const std::filesystem::path& docx);

// Each table's rows, each row's cells, each cell's paragraphs joined by "\n".
using TableText = std::vector<std::vector<std::string>>;
std::vector<TableText> tableTexts(const std::filesystem::path& docx);
// The texts of the paragraphs directly in the body.
std::vector<std::string> bodyParagraphs(const pugi::xml_document& document);
// An XPath expression's value as text ("true"/"false" for a test, the first
// node's text for a node set).
std::string evaluate(const pugi::xml_node& node, const char* xpath);

}  // namespace wordtest
