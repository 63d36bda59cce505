// A .ppt master's design as the parts of a PresentationML design: a slide
// master with its background, shapes and text styles, one blank layout, a
// theme with the colour scheme and fonts, and the pictures they show. The
// result has the shape a .pptx template import gives, so both writers take
// either.
#pragma once

#include "binary/MasterDesign.h"
#include "template/TemplateImport.h"

namespace ppt::binary {

pptmedia::ImportedTemplate designParts(const MasterDesign& design, const pptmedia::TemplateNaming& naming);

}  // namespace ppt::binary
