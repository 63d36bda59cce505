#include "SettingsPart.h"

#include "office/package/XmlWriter.h"

namespace word {

std::string settingsXml()
{
    office::XmlDocument w;
    w.open("w:settings").attr("xmlns:w", "http://schemas.openxmlformats.org/wordprocessingml/2006/main");
    w.leaf("w:zoom", "w:percent", "100");
    w.leaf("w:defaultTabStop", "w:val", "720");
    w.leaf("w:characterSpacingControl", "w:val", "doNotCompress");
    w.open("w:compat");
    w.open("w:compatSetting")
        .attr("w:name", "compatibilityMode")
        .attr("w:uri", "http://schemas.microsoft.com/office/word")
        .attr("w:val", "15")
        .close();
    w.close();
    return w.finish();
}

}  // namespace word
