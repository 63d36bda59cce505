// Relationship types and content types of the parts a presentation holds,
// besides those every package uses.
#pragma once

#include "office/package/OpcNames.h"

namespace ppt::opc {
using namespace office::opc;

#define PPT_OFFICE_REL "http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
constexpr const char* relSlideMaster = PPT_OFFICE_REL "slideMaster";
constexpr const char* relSlideLayout = PPT_OFFICE_REL "slideLayout";
constexpr const char* relSlide = PPT_OFFICE_REL "slide";
constexpr const char* relNotesMaster = PPT_OFFICE_REL "notesMaster";
constexpr const char* relNotesSlide = PPT_OFFICE_REL "notesSlide";
constexpr const char* relPresProps = PPT_OFFICE_REL "presProps";
constexpr const char* relViewProps = PPT_OFFICE_REL "viewProps";
constexpr const char* relTableStyles = PPT_OFFICE_REL "tableStyles";
#undef PPT_OFFICE_REL

#define PPT_PML_TYPE "application/vnd.openxmlformats-officedocument.presentationml."
constexpr const char* typePresentation = PPT_PML_TYPE "presentation.main+xml";
constexpr const char* typeTemplate = PPT_PML_TYPE "template.main+xml";
constexpr const char* typeSlide = PPT_PML_TYPE "slide+xml";
constexpr const char* typeSlideLayout = PPT_PML_TYPE "slideLayout+xml";
constexpr const char* typeSlideMaster = PPT_PML_TYPE "slideMaster+xml";
constexpr const char* typeNotesSlide = PPT_PML_TYPE "notesSlide+xml";
constexpr const char* typeNotesMaster = PPT_PML_TYPE "notesMaster+xml";
constexpr const char* typePresProps = PPT_PML_TYPE "presProps+xml";
constexpr const char* typeViewProps = PPT_PML_TYPE "viewProps+xml";
constexpr const char* typeTableStyles = PPT_PML_TYPE "tableStyles+xml";
#undef PPT_PML_TYPE

constexpr const char* nsA = "http://schemas.openxmlformats.org/drawingml/2006/main";
constexpr const char* nsR = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr const char* nsP = "http://schemas.openxmlformats.org/presentationml/2006/main";

}  // namespace ppt::opc
