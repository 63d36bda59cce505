// What the .ppt master takes from a design held as PresentationML parts (a
// .potx, or a .pot already turned into parts): the master's background, its
// pictures and plain shapes, and its title and body text styles, with
// colours resolved through the master's colour map and the theme.
#pragma once

#include "binary/MasterDesign.h"
#include "template/TemplateImport.h"

namespace ppt::binary {

// Throws office::ReadError when the master or theme is not XML.
MasterDesign importedMasterDesign(const pptmedia::ImportedTemplate& design);

}  // namespace ppt::binary
