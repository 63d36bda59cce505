// An imported design (ApplyTemplate) in the package: its parts written as
// they were imported, and where slides find its blank layout.
#pragma once

#include <string>

#include "model/PresentationModel.h"
#include "office/package/ZipWriter.h"

namespace ppt {

// Every imported part, relationship parts included.
void writeImportedDesign(office::PartSink& sink, const pptmedia::ImportedTemplate& design);

// A slide's layout relative to the slides folder: the imported blank
// layout, or the built-in one.
std::string slideLayoutTarget(const PresentationModel& presentation);

}  // namespace ppt
