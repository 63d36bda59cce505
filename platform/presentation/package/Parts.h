// One writer per kind of package part. Each writes the part's XML and, for
// parts with relationships, fills the Relationships it is given.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/PresentationModel.h"
#include "package/PackageWriter.h"
#include "package/PartLinks.h"
#include "office/package/Relationships.h"
#include "office/package/XmlWriter.h"

namespace ppt {

// Where a slide's parts go in the package, and what they refer to outside
// the slide.
struct SlidePlace {
    int number = 0;                 // 1-based position: slide<number>.xml
    bool notes = false;             // with notesSlide<number>.xml
    std::string_view layoutTarget;  // its layout, from the slide
    const SlideDirectory& slides;   // where links that jump to a slide go
    const PresentationModel& model;  // the pictures and objects its shapes show
};

// What the package holds, decided before anything is written.
struct PackagePlan {
    const PresentationModel& model;
    SaveOptions options;
    SlideDirectory slides;
    std::vector<int> notesNumber;  // per slide: its notes slide part number, 0 for none
    int notesCount = 0;
    std::string layoutTarget;  // of every slide

    PackagePlan(const PresentationModel& model, const SaveOptions& options);
    SlidePlace place(std::size_t slide) const;
};

// The XML declaration and a PresentationML root element with the a:, r: and
// p: namespaces.
void openPart(office::XmlWriter& xml, const char* root);

void writeContentTypes(office::XmlWriter& xml, const PackagePlan& plan);
void writeRootRelationships(office::XmlWriter& xml);
void writeCoreProperties(office::XmlWriter& xml, const PackagePlan& plan);
void writeAppProperties(office::XmlWriter& xml, const PackagePlan& plan);
void writePresentation(office::XmlWriter& xml, const PackagePlan& plan, office::Relationships& rels);

void writePresProps(office::XmlWriter& xml);
void writeViewProps(office::XmlWriter& xml);
void writeTableStyles(office::XmlWriter& xml);
void writeTheme(office::XmlWriter& xml, const char* name);
// The theme's plain format scheme (fills, lines, effects), under `name`.
void writeFormatScheme(office::XmlWriter& xml, const std::string& name);
void writeSlideMaster(office::XmlWriter& xml, PresentationModel& model, const SlideDirectory& slides, office::Relationships& rels);
void writeSlideLayout(office::XmlWriter& xml, office::Relationships& rels);
void writeNotesMaster(office::XmlWriter& xml, office::Relationships& rels);

// Text measured now, so that writing the slide only reads it (the frames
// that grow with their text report their laid-out size).
void settleSlideLayout(SlideModel& slide);
// The slide and its notes slide, each with its relationships.
void writeSlideParts(office::PartSink& sink, SlideModel& slide, const SlidePlace& place);

}  // namespace ppt
