// The built-in design: a plain white master with date, footer and slide
// number placeholders, one blank layout, the notes master (slide image and
// notes body), the theme (black Arial text on white), and the small
// presentation property parts PowerPoint always writes.
#include "office/package/OpcNames.h"
#include "package/Parts.h"
#include "package/ShapeXml.h"

namespace ppt {

namespace opc = office::opc;
namespace {

constexpr const char* kColorMap =
    "<p:clrMap bg1=\"lt1\" tx1=\"dk1\" bg2=\"lt2\" tx2=\"dk2\" accent1=\"accent1\" accent2=\"accent2\" "
    "accent3=\"accent3\" accent4=\"accent4\" accent5=\"accent5\" accent6=\"accent6\" hlink=\"hlink\" "
    "folHlink=\"folHlink\"/>";

constexpr const char* kLevel1 =
    "<a:lvl1pPr marL=\"0\" algn=\"l\" defTabSz=\"914400\" rtl=\"0\" eaLnBrk=\"1\" latinLnBrk=\"0\" "
    "hangingPunct=\"1\"><a:defRPr sz=\"%SIZE%\" kern=\"1200\"><a:solidFill><a:schemeClr val=\"tx1\"/></a:solidFill>"
    "<a:latin typeface=\"+mn-lt\"/><a:ea typeface=\"+mn-ea\"/><a:cs typeface=\"+mn-cs\"/></a:defRPr></a:lvl1pPr>";

std::string level1(const char* size)
{
    std::string s = kLevel1;
    s.replace(s.find("%SIZE%"), 6, size);
    return s;
}

}  // namespace

void writeFormatScheme(office::XmlWriter& xml, const std::string& name)
{
    xml.raw("<a:fmtScheme name=\"" + name + "\"><a:fillStyleLst>"
        "<a:solidFill><a:schemeClr val=\"phClr\"/></a:solidFill><a:solidFill><a:schemeClr val=\"phClr\"/></a:solidFill>"
        "<a:solidFill><a:schemeClr val=\"phClr\"/></a:solidFill></a:fillStyleLst><a:lnStyleLst>"
        "<a:ln w=\"9525\"><a:solidFill><a:schemeClr val=\"phClr\"/></a:solidFill></a:ln>"
        "<a:ln w=\"25400\"><a:solidFill><a:schemeClr val=\"phClr\"/></a:solidFill></a:ln>"
        "<a:ln w=\"38100\"><a:solidFill><a:schemeClr val=\"phClr\"/></a:solidFill></a:ln></a:lnStyleLst>"
        "<a:effectStyleLst><a:effectStyle><a:effectLst/></a:effectStyle><a:effectStyle><a:effectLst/></a:effectStyle>"
        "<a:effectStyle><a:effectLst/></a:effectStyle></a:effectStyleLst><a:bgFillStyleLst>"
        "<a:solidFill><a:schemeClr val=\"phClr\"/></a:solidFill><a:solidFill><a:schemeClr val=\"phClr\"/></a:solidFill>"
        "<a:solidFill><a:schemeClr val=\"phClr\"/></a:solidFill></a:bgFillStyleLst></a:fmtScheme>");
}

void writeTheme(office::XmlWriter& xml, const char* name)
{
    xml.declaration();
    xml.start("a:theme");
    xml.attr("xmlns:a", opc::nsA);
    xml.attr("name", name);
    xml.raw(
        "<a:themeElements><a:clrScheme name=\"Plain\">"
        "<a:dk1><a:srgbClr val=\"000000\"/></a:dk1><a:lt1><a:srgbClr val=\"FFFFFF\"/></a:lt1>"
        "<a:dk2><a:srgbClr val=\"1F1F1F\"/></a:dk2><a:lt2><a:srgbClr val=\"EEECE1\"/></a:lt2>"
        "<a:accent1><a:srgbClr val=\"4F81BD\"/></a:accent1><a:accent2><a:srgbClr val=\"C0504D\"/></a:accent2>"
        "<a:accent3><a:srgbClr val=\"9BBB59\"/></a:accent3><a:accent4><a:srgbClr val=\"8064A2\"/></a:accent4>"
        "<a:accent5><a:srgbClr val=\"4BACC6\"/></a:accent5><a:accent6><a:srgbClr val=\"F79646\"/></a:accent6>"
        "<a:hlink><a:srgbClr val=\"0000FF\"/></a:hlink><a:folHlink><a:srgbClr val=\"800080\"/></a:folHlink>"
        "</a:clrScheme>"
        "<a:fontScheme name=\"Plain\"><a:majorFont><a:latin typeface=\"Arial\"/><a:ea typeface=\"\"/>"
        "<a:cs typeface=\"\"/></a:majorFont><a:minorFont><a:latin typeface=\"Arial\"/><a:ea typeface=\"\"/>"
        "<a:cs typeface=\"\"/></a:minorFont></a:fontScheme>");
    writeFormatScheme(xml, "Plain");
    xml.raw("</a:themeElements><a:objectDefaults/><a:extraClrSchemeLst/>");
    xml.end("a:theme");
}

void writeSlideMaster(office::XmlWriter& xml, PresentationModel& model, const SlideDirectory& slides, office::Relationships& rels)
{
    rels.add(opc::relSlideLayout, "../slideLayouts/slideLayout1.xml");
    rels.add(opc::relTheme, "../theme/theme1.xml");
    PartLinks links(model.master.shapes, rels, slides, "../slides/");
    const HeaderFooterSet& hf = model.master.headersFooters;

    openPart(xml, "p:sldMaster");
    xml.raw("<p:cSld><p:bg><p:bgPr><a:solidFill><a:srgbClr val=\"FFFFFF\"/></a:solidFill><a:effectLst/></p:bgPr>"
            "</p:bg><p:spTree>");
    writeTreeGroup(xml);
    for (auto& shape : model.master.shapes.shapes)
        if (shape->isLabel()) writeShape(xml, *shape, links);
    // The master always carries the three placeholders; HeadersFooters says
    // whether slides show them.
    HeaderFooterSet all = hf;
    all.footer.visible = all.slideNumber.visible = all.dateAndTime.visible = true;
    int nextId = model.master.shapes.nextId;
    writeFooterPlaceholders(xml, all, u"\u2039#\u203A", nextId);
    xml.raw("</p:spTree></p:cSld>");
    xml.raw(kColorMap);
    xml.raw("<p:sldLayoutIdLst><p:sldLayoutId id=\"2147483649\" r:id=\"rId1\"/></p:sldLayoutIdLst>");
    xml.start("p:hf");
    if (!hf.slideNumber.visible) xml.attr("sldNum", "0");
    xml.attr("hdr", "0");
    if (!hf.footer.visible) xml.attr("ftr", "0");
    if (!hf.dateAndTime.visible) xml.attr("dt", "0");
    xml.end("p:hf");
    xml.raw("<p:txStyles><p:titleStyle>" + level1("4400") + "</p:titleStyle><p:bodyStyle>" + level1("1800") +
            "</p:bodyStyle><p:otherStyle>" + level1("1800") + "</p:otherStyle></p:txStyles>");
    xml.end("p:sldMaster");
}

void writeSlideLayout(office::XmlWriter& xml, office::Relationships& rels)
{
    rels.add(opc::relSlideMaster, "../slideMasters/slideMaster1.xml");
    openPart(xml, "p:sldLayout");
    xml.attr("type", "blank");
    xml.attr("preserve", "1");
    xml.raw("<p:cSld name=\"Blank\"><p:spTree>");
    writeTreeGroup(xml);
    HeaderFooterSet all;
    all.footer.visible = all.slideNumber.visible = all.dateAndTime.visible = true;
    int nextId = 2;
    writeFooterPlaceholders(xml, all, u"\u2039#\u203A", nextId);
    xml.raw("</p:spTree></p:cSld><p:clrMapOvr><a:masterClrMapping/></p:clrMapOvr>");
    xml.end("p:sldLayout");
}

void writeNotesMaster(office::XmlWriter& xml, office::Relationships& rels)
{
    rels.add(opc::relTheme, "../theme/theme2.xml");
    openPart(xml, "p:notesMaster");
    xml.raw("<p:cSld><p:bg><p:bgRef idx=\"1001\"><a:schemeClr val=\"bg1\"/></p:bgRef></p:bg><p:spTree>");
    writeTreeGroup(xml);
    xml.raw("<p:sp><p:nvSpPr><p:cNvPr id=\"2\" name=\"Slide Image Placeholder 1\"/><p:cNvSpPr><a:spLocks noGrp=\"1\" "
            "noRot=\"1\" noChangeAspect=\"1\"/></p:cNvSpPr><p:nvPr><p:ph type=\"sldImg\" idx=\"2\"/></p:nvPr></p:nvSpPr>"
            "<p:spPr><a:xfrm><a:off x=\"1143000\" y=\"685800\"/><a:ext cx=\"4572000\" cy=\"3429000\"/></a:xfrm>"
            "<a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom><a:noFill/></p:spPr></p:sp>"
            "<p:sp><p:nvSpPr><p:cNvPr id=\"3\" name=\"Notes Placeholder 2\"/><p:cNvSpPr><a:spLocks noGrp=\"1\"/>"
            "</p:cNvSpPr><p:nvPr><p:ph type=\"body\" sz=\"quarter\" idx=\"1\"/></p:nvPr></p:nvSpPr><p:spPr><a:xfrm>"
            "<a:off x=\"685800\" y=\"4343400\"/><a:ext cx=\"5486400\" cy=\"4114800\"/></a:xfrm><a:prstGeom prst=\"rect\">"
            "<a:avLst/></a:prstGeom></p:spPr><p:txBody><a:bodyPr vert=\"horz\" lIns=\"91440\" tIns=\"45720\" "
            "rIns=\"91440\" bIns=\"45720\" rtlCol=\"0\"/><a:lstStyle/><a:p><a:pPr lvl=\"0\"/><a:endParaRPr "
            "lang=\"en-US\"/></a:p></p:txBody></p:sp>");
    xml.raw("</p:spTree></p:cSld>");
    xml.raw(kColorMap);
    xml.raw("<p:notesStyle>" + level1("1200") + "</p:notesStyle>");
    xml.end("p:notesMaster");
}

void writePresProps(office::XmlWriter& xml)
{
    openPart(xml, "p:presentationPr");
    xml.end("p:presentationPr");
}

void writeViewProps(office::XmlWriter& xml)
{
    openPart(xml, "p:viewPr");
    xml.raw("<p:normalViewPr><p:restoredLeft sz=\"15620\"/><p:restoredTop sz=\"94660\"/></p:normalViewPr>"
            "<p:gridSpacing cx=\"76200\" cy=\"76200\"/>");
    xml.end("p:viewPr");
}

void writeTableStyles(office::XmlWriter& xml)
{
    xml.declaration();
    xml.start("a:tblStyleLst");
    xml.attr("xmlns:a", opc::nsA);
    xml.attr("def", "{5C22544A-7EE6-4342-B048-85BDC9FD1C3A}");
    xml.end("a:tblStyleLst");
}

}  // namespace ppt
