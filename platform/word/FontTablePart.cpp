#include "FontTablePart.h"

#include <string_view>

#include "office/package/XmlWriter.h"

namespace word {
namespace {

struct FontClass {
    const char* family;
    const char* pitch;
};

FontClass classify(std::string_view name)
{
    if (name == "Times New Roman" || name == "Georgia" || name == "Cambria" || name == "Garamond" ||
        name == "Liberation Serif")
        return {"roman", "variable"};
    if (name == "Courier New" || name == "Courier" || name == "Consolas" || name == "Lucida Console" ||
        name == "Liberation Mono")
        return {"modern", "fixed"};
    if (name == "Arial" || name == "Helvetica" || name == "Calibri" || name == "Verdana" || name == "Tahoma" ||
        name == "Segoe UI" || name == "Liberation Sans")
        return {"swiss", "variable"};
    return {"auto", "variable"};
}

}  // namespace

std::string fontTableXml(const std::set<std::string>& fontNames)
{
    office::XmlDocument w;
    w.open("w:fonts").attr("xmlns:w", "http://schemas.openxmlformats.org/wordprocessingml/2006/main");
    for (const std::string& name : fontNames) {
        FontClass c = classify(name);
        w.open("w:font").attr("w:name", name);
        w.leaf("w:family", "w:val", c.family).leaf("w:pitch", "w:val", c.pitch);
        w.close();
    }
    return w.finish();
}

}  // namespace word
