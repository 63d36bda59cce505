// Independent checks of what we write: the Office Open XML validator and
// LibreOffice's reading of a package.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace testenv {

struct CommandResult {
    int status = -1;
    std::string output;  // standard output and standard error together
};
CommandResult runCommand(const std::string& shellCommand);
std::string shellQuote(const std::string& text);

// Runs the schema and package-invariant validator; status 0 means no problems.
CommandResult validatePackage(const std::filesystem::path& package);
// Runs the PowerPoint 97-2003 structure validator; status 0 means no problems.
CommandResult validatePpt(const std::filesystem::path& file);

// Converts documents with one start of LibreOffice (headless) into outDir;
// `format` is what --convert-to takes ("pdf", "potx", or a filter with its
// options). Gives each converted file in the order of `documents`, an empty
// path where one did not convert. Every call of a test program uses the same
// LibreOffice profile, made on the first call and removed when the program
// ends: a new profile costs LibreOffice seconds at every start.
std::vector<std::filesystem::path> convertWithLibreOffice(const std::vector<std::filesystem::path>& documents,
                                                          const std::string& format,
                                                          const std::filesystem::path& outDir);
std::filesystem::path convertToPdf(const std::filesystem::path& document, const std::filesystem::path& outDir);
// pdftotext -bbox output (XHTML with one <word> per word and its box).
std::string pdfWordBoxes(const std::filesystem::path& pdf);
// Plain text of one page (1-based), or of every page with page = 0.
std::string pdfText(const std::filesystem::path& pdf, int page = 0);
int pdfPageCount(const std::filesystem::path& pdf);

}  // namespace testenv
