// Reading the tables of a WordprocessingML (.docx) package, whatever the
// file is named ("abctabxyz.doc" included).
#pragma once

#include <filesystem>
#include <string>

#include "media/DocxTable.h"

namespace office {
class OpcPackage;
}

namespace pptmedia {

// All tables of the document body. Throws MediaError: FileNotFound,
// NotAPackage (not a Word document), LegacyBinaryFormat, DamagedPackage,
// UnsafePackage.
DocxDocument readDocxTables(const std::filesystem::path& path, const std::string& displayName);
DocxDocument readDocxTables(const office::OpcPackage& package, const std::string& mainPart);

// The first table; throws MediaError(NoTable) when there is none.
DocxTable readFirstDocxTable(const std::filesystem::path& path, const std::string& displayName);

// Whether the file is a WordprocessingML document or template by content.
bool isWordprocessingPackage(const std::filesystem::path& path);

}  // namespace pptmedia
