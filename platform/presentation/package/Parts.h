// One writer per kind of package part. Each writes the part's XML and, for
// parts with relationships, fills the Relationships it is given.
#pragma once

#include <string>
#include <vector>

#include "model/PresentationModel.h"
#include "package/PackageWriter.h"
#include "package/PartLinks.h"
#include "package/Relationships.h"
#include "package/XmlWriter.h"

namespace ppt {

// What the package holds, decided before anything is written.
struct PackagePlan {
    const PresentationModel& model;
    SaveOptions options;
    SlideDirectory slides;
    std::vector<int> notesNumber;  // per slide: its notes slide part number, 0 for none
    int notesCount = 0;

    PackagePlan(const PresentationModel& model, const SaveOptions& options);
};

void writeContentTypes(XmlWriter& xml, const PackagePlan& plan);
void writeRootRelationships(XmlWriter& xml);
void writeCoreProperties(XmlWriter& xml, const PackagePlan& plan);
void writeAppProperties(XmlWriter& xml, const PackagePlan& plan);
void writePresentation(XmlWriter& xml, const PackagePlan& plan, Relationships& rels);

void writePresProps(XmlWriter& xml);
void writeViewProps(XmlWriter& xml);
void writeTableStyles(XmlWriter& xml);
void writeTheme(XmlWriter& xml, const char* name);
void writeSlideMaster(XmlWriter& xml, PresentationModel& model, const SlideDirectory& slides, Relationships& rels);
void writeSlideLayout(XmlWriter& xml, Relationships& rels);
void writeNotesMaster(XmlWriter& xml, Relationships& rels);

void writeSlide(XmlWriter& xml, SlideModel& slide, int number, const PackagePlan& plan, Relationships& rels);
void writeNotesSlide(XmlWriter& xml, SlideModel& slide, int number, const PackagePlan& plan, Relationships& rels);

}  // namespace ppt
