// A DocumentContent as a WordprocessingML package (.docx), part by part,
// and saved atomically.
#pragma once

#include <ctime>
#include <filesystem>
#include <system_error>
#include <vector>

#include "DocumentContent.h"

namespace word {

struct PackagePart {
    std::string name;  // inside the package, without a leading "/"
    std::string data;
};

// Every part of the package, [Content_Types].xml first.
std::vector<PackagePart> docxParts(const DocumentContent& content, std::time_t created);

// Writes the package to path (its extension does not matter), deflated with
// a fixed time stamp so that equal content gives equal bytes. The error is
// that of the file system (a read-only file is not replaced); a package
// that could not be built reports errc::not_enough_memory. Nothing is left
// behind on failure.
std::error_code saveDocx(const DocumentContent& content, const std::filesystem::path& path, std::time_t created);

}  // namespace word
