#include "StylesPart.h"

#include <string>

#include "DocumentContent.h"
#include "DocumentLayout.h"
#include "office/package/XmlWriter.h"

namespace word {
namespace {

void cellMargins(office::XmlWriter& w)
{
    const std::string side = std::to_string(toTwips(layout::cellMargin));
    w.open("w:tblCellMar");
    w.open("w:top").attr("w:w", "0").attr("w:type", "dxa").close();
    w.open("w:left").attr("w:w", side).attr("w:type", "dxa").close();
    w.open("w:bottom").attr("w:w", "0").attr("w:type", "dxa").close();
    w.open("w:right").attr("w:w", side).attr("w:type", "dxa").close();
    w.close();
}

}  // namespace

std::string stylesXml()
{
    const RunFormat defaults;
    const std::string size = std::to_string(defaults.halfPoints);
    office::XmlDocument w;
    w.open("w:styles").attr("xmlns:w", "http://schemas.openxmlformats.org/wordprocessingml/2006/main");

    w.open("w:docDefaults");
    w.open("w:rPrDefault").open("w:rPr");
    w.open("w:rFonts")
        .attr("w:ascii", defaults.fontName)
        .attr("w:eastAsia", defaults.fontName)
        .attr("w:hAnsi", defaults.fontName)
        .attr("w:cs", defaults.fontName)
        .close();
    w.leaf("w:sz", "w:val", size).leaf("w:szCs", "w:val", size);
    w.open("w:lang").attr("w:val", "en-US").attr("w:eastAsia", "en-US").attr("w:bidi", "ar-SA").close();
    w.close().close();
    w.open("w:pPrDefault").open("w:pPr");
    w.open("w:spacing").attr("w:after", "0").attr("w:line", "240").attr("w:lineRule", "auto").close();
    w.close().close();
    w.close();  // docDefaults

    w.open("w:style").attr("w:type", "paragraph").attr("w:default", "1").attr("w:styleId", "Normal");
    w.leaf("w:name", "w:val", "Normal").leaf("w:qFormat");
    w.close();

    w.open("w:style").attr("w:type", "character").attr("w:default", "1").attr("w:styleId", "DefaultParagraphFont");
    w.leaf("w:name", "w:val", "Default Paragraph Font").leaf("w:uiPriority", "w:val", "1");
    w.leaf("w:semiHidden").leaf("w:unhideWhenUsed");
    w.close();

    w.open("w:style").attr("w:type", "table").attr("w:default", "1").attr("w:styleId", "TableNormal");
    w.leaf("w:name", "w:val", "Normal Table").leaf("w:uiPriority", "w:val", "99");
    w.leaf("w:semiHidden").leaf("w:unhideWhenUsed");
    w.open("w:tblPr");
    w.open("w:tblInd").attr("w:w", "0").attr("w:type", "dxa").close();
    cellMargins(w);
    w.close();
    w.close();

    w.open("w:style").attr("w:type", "character").attr("w:styleId", "Hyperlink");
    w.leaf("w:name", "w:val", "Hyperlink").leaf("w:basedOn", "w:val", "DefaultParagraphFont");
    w.leaf("w:uiPriority", "w:val", "99").leaf("w:unhideWhenUsed");
    w.open("w:rPr").leaf("w:color", "w:val", "0563C1").leaf("w:u", "w:val", "single").close();
    w.close();

    return w.finish();
}

}  // namespace word
