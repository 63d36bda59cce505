// ApplyTemplate: the theme, slide master and layouts of a PresentationML
// template or presentation, or the main master of a 97-2003 binary one
// (content decides, not the name), become the presentation's design. The slides keep their 720 x 540 pt size, which
// the generator's geometry assumes.
#pragma once

#include <string>

#include "model/PresentationModel.h"

namespace ppt {

// Throws a COM error (and keeps the previous design) for a missing,
// unreadable, damaged or unsafe file.
void applyTemplate(PresentationModel& presentation, const std::u16string& fileName);

}  // namespace ppt
