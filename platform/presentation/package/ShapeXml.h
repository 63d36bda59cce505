// DrawingML for the shapes of a tree and the text they hold: children in
// schema order, whole-number EMU geometry, ids unique within the part.
#pragma once

#include <cstdint>
#include <string>

#include "model/PresentationModel.h"
#include "package/PartLinks.h"
#include "office/package/XmlWriter.h"

namespace ppt {

std::int64_t emu(float points);

// <a:xfrm> or <p:xfrm> (`tag`) placing a box.
void writeXfrm(office::XmlWriter& xml, const char* tag, const Box& box);
// <p:cNvPr> with the click and hover links of `linksOf` (none when null).
void writeShapeName(office::XmlWriter& xml, int id, const std::u16string& name, const ShapeModel* linksOf,
                    PartLinks& links);

// <p:nvGrpSpPr> and <p:grpSpPr> of a part's shape tree.
void writeTreeGroup(office::XmlWriter& xml);
void writeShape(office::XmlWriter& xml, ShapeModel& shape, PartLinks& links);
// The paragraphs of a text body (<a:p> ...).
void writeParagraphs(office::XmlWriter& xml, const TextBody& body, PartLinks* links);

// The footer, slide-number and date placeholders a slide shows (those set
// visible), with ids from nextId on; slideNumber is the number's text.
void writeFooterPlaceholders(office::XmlWriter& xml, const HeaderFooterSet& set, const std::u16string& slideNumber,
                             int& nextId);

// Today's date (and time) in one of PowerPoint's formats 1 to 13.
std::u16string dateText(int format);

}  // namespace ppt
