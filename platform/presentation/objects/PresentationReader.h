// Presentations.Open: a presentation package read back into the object
// model -- slides with their ids, labels with their text and formatting,
// pictures, embedded and linked objects, click links, footers and notes --
// so that it can be shown, changed and saved again. A design other than
// the built-in one is carried over as an imported design.
#pragma once

#include <memory>
#include <string>

#include "model/PresentationModel.h"

namespace ppt {

// Throws a COM error: 0x80070002 for a missing file, the media library's
// codes for a file it cannot read as a presentation.
std::shared_ptr<PresentationModel> readPresentationFile(const std::u16string& fileName);

}  // namespace ppt
