// Small templates made to order, for template import and ApplyTemplate.
#pragma once

#include <string>
#include <vector>

#include "TestFiles.h"

namespace mediatest {

struct LayoutSpec {
    std::string type;                      // sldLayout type attribute, "" for none
    std::vector<std::string> placeholders;  // ph types ("" for a typeless ph)
};

struct TemplateRecipe {
    std::vector<LayoutSpec> layouts;
    std::string masterBackground = "<p:bg><p:bgPr><a:solidFill><a:srgbClr val=\"1E5AA0\"/></a:solidFill><a:effectLst/></p:bgPr></p:bg>";
    bool masterPicture = true;  // a logo on the master, used again by the first layout
    std::string masterPrefix;   // put before the master's root element (a DOCTYPE, say)
    bool withMaster = true;
    std::string masterFooter;  // text of a footer placeholder on the master ("" none)
    std::string masterHf;      // the master's <p:hf> element ("" none)
    std::string mainContentType = "application/vnd.openxmlformats-officedocument.presentationml.template.main+xml";
};

Bytes makeTemplate(const TemplateRecipe& recipe);

}  // namespace mediatest
