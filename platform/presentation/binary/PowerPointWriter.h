// Writes a presentation in the PowerPoint 97-2003 binary format (.ppt,
// .pps, .pot): a compound file holding the "PowerPoint Document" stream
// (one edit: the document, master, notes master, slides and notes pages,
// embedded storages, the persist directory and the user edit), "Current
// User" and "Pictures". Atomic like the .pptx writer: failures are COM
// errors naming the path, and the old file then stays as it was. A deck
// past the format's limits (about 4,092 slides and notes pages, 4,095
// pictures) fails with HR_FILE_TOO_LARGE before anything is written.
#pragma once

#include <string>

#include "com/ComTypes.h"
#include "model/PresentationModel.h"

namespace ppt {

constexpr HRESULT HR_FILE_TOO_LARGE = HRESULT_FROM_WIN32(223);  // ERROR_FILE_TOO_LARGE

void writePowerPointBinary(PresentationModel& model, const std::string& nativePath, bool replace = true);

// The whole file in memory (for measurement and tests).
std::string powerPointBinaryBytes(PresentationModel& model);

}  // namespace ppt
