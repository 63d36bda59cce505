// Writes a presentation in the PowerPoint 97-2003 binary format (.ppt,
// .pps, .pot): a compound file holding the "PowerPoint Document" stream
// (one edit: the document, master, notes master, slides and notes pages,
// embedded storages, the persist directory and the user edit), "Current
// User" and "Pictures". Atomic like the .pptx writer: failures are COM
// errors naming the path, and the old file then stays as it was.
#pragma once

#include <string>

#include "model/PresentationModel.h"

namespace ppt {

void writePowerPointBinary(PresentationModel& model, const std::string& nativePath, bool replace = true);

// The whole file in memory (for measurement and tests).
std::string powerPointBinaryBytes(PresentationModel& model);

// Whether a file name asks for the binary format (.ppt, .pps, .pot).
bool isBinaryPresentationName(const std::string& path);

}  // namespace ppt
