// Taking the design of a PresentationML template or presentation into a
// package being written: its slide master with the layouts, the theme, the
// media they use and whatever else they refer to, renamed into the target
// package's part names, with relationship targets rewritten to match.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "media/Bytes.h"

namespace pptmedia {

struct PackagePart {
    std::string name;  // "/ppt/slideMasters/slideMaster1.xml"
    std::string contentType;
    Bytes bytes;
};

// How imported parts are named in the target package.
struct TemplateNaming {
    int masterNumber = 1;       // /ppt/slideMasters/slideMaster<n>.xml
    int themeNumber = 1;        // /ppt/theme/theme<n>.xml
    int firstLayoutNumber = 1;  // /ppt/slideLayouts/slideLayout<n>.xml, counting up
    std::string mediaStem = "/ppt/media/template-image";  // + number + extension
    std::string otherPrefix = "template-";  // file name prefix of any other part
    // The master's id in the target's sldMasterIdLst; its layouts are
    // numbered from the next id (all ids of a deck's masters and layouts
    // must differ).
    std::uint32_t masterId = 2147483648u;
};

struct ImportedTemplate {
    // Every part to write, relationship parts included, in a stable order.
    std::vector<PackagePart> parts;
    std::string masterPart;
    std::string themePart;
    std::vector<std::string> layoutParts;  // in the master's order
    std::string blankLayoutPart;
    std::uint32_t masterId = 0;
    std::uint32_t nextFreeId = 0;  // first id after the layouts'

    // The source's slide size (the writer may keep its own).
    double slideWidthPt = 720;
    double slideHeightPt = 540;
    // The source presentation's <p:defaultTextStyle> as XML; "" when absent.
    std::string defaultTextStyleXml;
    // Theme colour scheme: "dk1", "lt1", ..., "accent1" ... -> "RRGGBB".
    std::map<std::string, std::string> themeColours;
    // The master's <p:bg> as XML ("" when none) and its colour as "RRGGBB"
    // when it is one solid colour (scheme colours resolved).
    std::string masterBackgroundXml;
    std::string masterBackgroundColour;
    // The master's header and footer settings: which of its date, footer and
    // slide-number placeholders slides show (its <p:hf>; none without one),
    // the footer's text and the date's when it is fixed text, not a field.
    struct Footers {
        bool date = false;
        bool footer = false;
        bool slideNumber = false;
        std::string footerText;
        std::string dateText;
    } masterFooters;

    const PackagePart* find(const std::string& name) const;
};

// Throws MediaError: FileNotFound, LegacyBinaryFormat (a 97-2003 .pot/.ppt),
// NotAPackage (not PresentationML, or no slide master), DamagedPackage,
// UnsafePackage.
ImportedTemplate importTemplate(const std::filesystem::path& path, const std::string& displayName,
                                const TemplateNaming& naming = {});

}  // namespace pptmedia
