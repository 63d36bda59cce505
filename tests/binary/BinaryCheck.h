// Independent readings of a .ppt: the structure validator and Apache POI.
#pragma once

#include <filesystem>
#include <string>

namespace binarytest {

// Runs ../shared/ppt/validate (testenv::validatePpt, which keeps the file for
// Apache POI to read after the tests): a failure, with its report, unless it finds 0 problems.
void expectValidPpt(const std::filesystem::path& file);
// Copies the file into $ORVEL_KEEP_PPT when that names a folder, to look at by hand.
void keepForInspection(const std::filesystem::path& file);
// What POI reads, one line per item (see PptReader.java).
std::string readWithPoi(const std::filesystem::path& file);

}  // namespace binarytest

#include "PptTestSupport.h"

namespace binarytest {

// A two-slide deck of what the .ppt writer covers: text boxes with runs,
// alignment and bullets, footers, notes, links of every kind, pictures of
// each format (one twice), an embedded document. Files it needs go into dir.
void fillSampleDeck(const ComPtr<PowerPoint::_Presentation>& presentation, const std::filesystem::path& dir);

}  // namespace binarytest
