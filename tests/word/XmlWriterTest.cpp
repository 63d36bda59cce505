// The XML writer: what any text becomes, and that the result always parses.
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include "XmlText.h"
#include "XmlWriter.h"

using word::cleanXmlText;
using word::XmlWriter;

namespace {

std::string parsedText(const std::string& xml)
{
    pugi::xml_document doc;
    EXPECT_TRUE(doc.load_string(xml.c_str())) << xml;
    return doc.child("t").text().get();
}

}  // namespace

TEST(XmlText, KeepsValidTextIncludingAllOfUnicode)
{
    std::string text = "plain Ünïcödé € 日本語 \xF0\x9F\x98\x80 tab\tnewline\n";
    EXPECT_EQ(cleanXmlText(text), text);
}

TEST(XmlText, DropsCharactersXmlForbids)
{
    EXPECT_EQ(cleanXmlText(std::string("a\x01" "b\x1F" "c\x00" "d", 7)), "abcd");
    EXPECT_EQ(cleanXmlText("x\xEF\xBF\xBEy\xEF\xBF\xBFz"), "xyz");  // U+FFFE, U+FFFF
}

TEST(XmlText, ReplacesBrokenUtf8AndLoneSurrogatesWithReplacementCharacter)
{
    const std::string fffd = "\xEF\xBF\xBD";
    EXPECT_EQ(cleanXmlText("a\xED\xA0\x80z"), "a" + fffd + "z");  // an encoded lone surrogate is one character
    EXPECT_EQ(cleanXmlText("a\xFFz"), "a" + fffd + "z");
    EXPECT_EQ(cleanXmlText("a\xC3"), "a" + fffd);             // cut off at the end
    EXPECT_EQ(cleanXmlText("a\xC0\xAFz"), "a" + fffd + "z");  // overlong "/"
    EXPECT_EQ(cleanXmlText("\xE2\x82z"), fffd + fffd + "z");
}

TEST(XmlWriter, EscapesTextAndAttributesAndParsesBack)
{
    XmlWriter w;
    w.open("t").attr("a", "\"quoted\" & <tag>\tline\nend").text("1 < 2 & 3 > 2 \"q\"");
    std::string xml = w.finish();
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(xml.c_str())) << xml;
    EXPECT_STREQ(doc.child("t").attribute("a").value(), "\"quoted\" & <tag>\tline\nend");
    EXPECT_STREQ(doc.child("t").text().get(), "1 < 2 & 3 > 2 \"q\"");
}

TEST(XmlWriter, EveryByteSequenceGivesWellFormedXml)
{
    std::string everything;
    for (int i = 0; i < 256; ++i) everything += static_cast<char>(i);
    XmlWriter w;
    w.open("t").attr("a", everything).text(everything).text("\r\n");
    std::string xml = w.finish();
    pugi::xml_document doc;
    EXPECT_TRUE(doc.load_string(xml.c_str())) << xml;
}

TEST(XmlWriter, CarriageReturnSurvivesAsCharacterReference)
{
    XmlWriter w;
    w.open("t").text("a\rb");
    EXPECT_EQ(parsedText(w.finish()), "a\rb");
}

TEST(XmlWriter, SurrogateEscapesInTextStayLiteral)
{
    XmlWriter w;
    w.open("t").text("_xD800_ and _xdfff_ but _x0041_");
    std::string xml = w.finish();
    EXPECT_NE(xml.find("_x005F_xD800_ and _x005F_xdfff_ but _x0041_"), std::string::npos) << xml;
}

TEST(XmlWriter, ClosesEmptyElementsShortAndFinishClosesEverything)
{
    XmlWriter w;
    w.open("a").leaf("b", "v", "1").open("c").open("d");
    std::string xml = w.finish();
    EXPECT_NE(xml.find("<a><b v=\"1\"/><c><d/></c></a>"), std::string::npos) << xml;
    EXPECT_EQ(xml.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>", 0), 0u);
}

TEST(XmlWriter, MisuseIsALogicErrorNotBrokenOutput)
{
    XmlWriter w;
    EXPECT_THROW(w.close(), std::logic_error);
    EXPECT_THROW(w.text("x"), std::logic_error);
    w.open("a").text("x");
    EXPECT_THROW(w.attr("late", "1"), std::logic_error);
}
