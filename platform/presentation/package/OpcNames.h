// Relationship types and content types of the parts a presentation holds.
#pragma once

namespace ppt::opc {

#define PPT_OFFICE_REL "http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
constexpr const char* relOfficeDocument = PPT_OFFICE_REL "officeDocument";
constexpr const char* relExtendedProperties = PPT_OFFICE_REL "extended-properties";
constexpr const char* relCoreProperties = "http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties";
constexpr const char* relSlideMaster = PPT_OFFICE_REL "slideMaster";
constexpr const char* relSlideLayout = PPT_OFFICE_REL "slideLayout";
constexpr const char* relSlide = PPT_OFFICE_REL "slide";
constexpr const char* relNotesMaster = PPT_OFFICE_REL "notesMaster";
constexpr const char* relNotesSlide = PPT_OFFICE_REL "notesSlide";
constexpr const char* relTheme = PPT_OFFICE_REL "theme";
constexpr const char* relPresProps = PPT_OFFICE_REL "presProps";
constexpr const char* relViewProps = PPT_OFFICE_REL "viewProps";
constexpr const char* relTableStyles = PPT_OFFICE_REL "tableStyles";
constexpr const char* relHyperlink = PPT_OFFICE_REL "hyperlink";
constexpr const char* relImage = PPT_OFFICE_REL "image";
constexpr const char* relPackage = PPT_OFFICE_REL "package";
constexpr const char* relOleObject = PPT_OFFICE_REL "oleObject";
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
constexpr const char* typeTheme = "application/vnd.openxmlformats-officedocument.theme+xml";
constexpr const char* typeCoreProperties = "application/vnd.openxmlformats-package.core-properties+xml";
constexpr const char* typeExtendedProperties = "application/vnd.openxmlformats-officedocument.extended-properties+xml";
constexpr const char* typeRelationships = "application/vnd.openxmlformats-package.relationships+xml";

constexpr const char* nsA = "http://schemas.openxmlformats.org/drawingml/2006/main";
constexpr const char* nsR = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr const char* nsP = "http://schemas.openxmlformats.org/presentationml/2006/main";

}  // namespace ppt::opc
