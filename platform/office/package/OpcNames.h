// Relationship types and content types every Office Open XML package uses.
// The stand-ins add those of their own documents.
#pragma once

namespace office::opc {

#define OFFICE_REL "http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
constexpr const char* relOfficeDocument = OFFICE_REL "officeDocument";
constexpr const char* relExtendedProperties = OFFICE_REL "extended-properties";
constexpr const char* relCoreProperties = "http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties";
constexpr const char* relHyperlink = OFFICE_REL "hyperlink";
constexpr const char* relImage = OFFICE_REL "image";
constexpr const char* relTheme = OFFICE_REL "theme";
constexpr const char* relPackage = OFFICE_REL "package";
constexpr const char* relOleObject = OFFICE_REL "oleObject";
#undef OFFICE_REL

constexpr const char* typeCoreProperties = "application/vnd.openxmlformats-package.core-properties+xml";
constexpr const char* typeExtendedProperties = "application/vnd.openxmlformats-officedocument.extended-properties+xml";
constexpr const char* typeRelationships = "application/vnd.openxmlformats-package.relationships+xml";
constexpr const char* typeTheme = "application/vnd.openxmlformats-officedocument.theme+xml";

}  // namespace office::opc
