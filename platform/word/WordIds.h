// The identity of the Word back-end stand-in as the registry knows it.
#pragma once

#include "com/ComTypes.h"

namespace word {

constexpr CLSID CLSID_WordDocument = makeGuid("{6F1E2A40-3B7C-4D58-9E21-8A4C0B7D5E11}");
constexpr const char* clsidText = "{6F1E2A40-3B7C-4D58-9E21-8A4C0B7D5E11}";
constexpr const char* progId = "Orvel.WordDocument";
constexpr const char* versionedProgId = "Orvel.WordDocument.1";
constexpr const char* className = "Orvel Word Document";
// The name under which the table support looks for this back-end.
constexpr const char* backEndName = "Microsoft Word";
constexpr const char* backEndDescription = "Word documents (.docx) written without Microsoft Word";
constexpr const char* docType = "Word";

}  // namespace word
