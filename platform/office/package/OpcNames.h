// Relationship types, content types and namespaces of the Office Open XML
// parts the stand-ins write: those every package uses, then a presentation's.
#pragma once

namespace office::opc {

// Office Open XML measures lengths in English Metric Units.
inline constexpr double emuPerPoint = 12700.0;

#define OFFICE_REL "http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
constexpr const char* relOfficeDocument = OFFICE_REL "officeDocument";
constexpr const char* relExtendedProperties = OFFICE_REL "extended-properties";
constexpr const char* relCoreProperties = "http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties";
constexpr const char* relHyperlink = OFFICE_REL "hyperlink";
constexpr const char* relImage = OFFICE_REL "image";
constexpr const char* relTheme = OFFICE_REL "theme";
constexpr const char* relPackage = OFFICE_REL "package";
constexpr const char* relOleObject = OFFICE_REL "oleObject";
constexpr const char* relSlideMaster = OFFICE_REL "slideMaster";
constexpr const char* relSlideLayout = OFFICE_REL "slideLayout";
constexpr const char* relSlide = OFFICE_REL "slide";
constexpr const char* relNotesMaster = OFFICE_REL "notesMaster";
constexpr const char* relNotesSlide = OFFICE_REL "notesSlide";
constexpr const char* relPresProps = OFFICE_REL "presProps";
constexpr const char* relViewProps = OFFICE_REL "viewProps";
constexpr const char* relTableStyles = OFFICE_REL "tableStyles";
#undef OFFICE_REL

#define PML_TYPE "application/vnd.openxmlformats-officedocument.presentationml."
constexpr const char* typeCoreProperties = "application/vnd.openxmlformats-package.core-properties+xml";
constexpr const char* typeExtendedProperties = "application/vnd.openxmlformats-officedocument.extended-properties+xml";
constexpr const char* typeRelationships = "application/vnd.openxmlformats-package.relationships+xml";
constexpr const char* typeTheme = "application/vnd.openxmlformats-officedocument.theme+xml";
constexpr const char* typePresentation = PML_TYPE "presentation.main+xml";
constexpr const char* typeTemplate = PML_TYPE "template.main+xml";
constexpr const char* typeSlide = PML_TYPE "slide+xml";
constexpr const char* typeSlideLayout = PML_TYPE "slideLayout+xml";
constexpr const char* typeSlideMaster = PML_TYPE "slideMaster+xml";
constexpr const char* typeNotesSlide = PML_TYPE "notesSlide+xml";
constexpr const char* typeNotesMaster = PML_TYPE "notesMaster+xml";
constexpr const char* typePresProps = PML_TYPE "presProps+xml";
constexpr const char* typeViewProps = PML_TYPE "viewProps+xml";
constexpr const char* typeTableStyles = PML_TYPE "tableStyles+xml";
#undef PML_TYPE

constexpr const char* nsA = "http://schemas.openxmlformats.org/drawingml/2006/main";
constexpr const char* nsR = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr const char* nsP = "http://schemas.openxmlformats.org/presentationml/2006/main";

}  // namespace office::opc
