// Pictures and embedded objects in the package: the p:pic and
// p:graphicFrame (p:oleObj with its preview picture) of their shapes, the
// ppt/media and ppt/embeddings parts that hold their bytes, and the content
// types those parts need.
#pragma once

#include <string>

#include "model/PresentationModel.h"
#include "package/PartLinks.h"
#include "office/package/ContentTypes.h"
#include "office/package/XmlWriter.h"
#include "office/package/ZipWriter.h"

namespace ppt {

bool isObjectShape(const ShapeModel& shape);
// A picture or an object shape; slides and notes slides reach the package's
// folders the same way ("../media/...").
void writeObjectShape(office::XmlWriter& xml, const ShapeModel& shape, const PresentationModel& model, PartLinks& links);

// "ppt/media/image3.png", "ppt/embeddings/Microsoft_Word_Document1.docx".
std::string mediaPartName(const PresentationModel& model, std::uint32_t id);
std::string embeddingPartName(const PresentationModel& model, std::uint32_t id);

// Default entries for the media's extensions, Overrides for embeddings.
void addObjectContentTypes(office::ContentTypes& types, const PresentationModel& model);
// The media and embedding parts themselves.
void writeObjectParts(office::PartSink& sink, const PresentationModel& model);

}  // namespace ppt
