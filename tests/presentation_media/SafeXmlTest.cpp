// XML from packages is parsed without document types or entities.
#include <gtest/gtest.h>

#include "TestFiles.h"
#include "media/MediaError.h"
#include "office/package/SafeXml.h"

using namespace pptmedia;
using namespace office;

TEST(SafeXml, RefusesDocumentTypesEntitiesAndMalformedXml)
{
    // The same declaration in UTF-16 slips past a byte scan; the parsed tree still shows it.
    std::string utf16("\xFF\xFE", 2);
    for (char c : std::string("<!DOCTYPE x [<!ENTITY e \"v\">]><x>&e;</x>")) utf16 += {c, '\0'};
    const std::pair<std::string, MediaErrorKind> cases[] = {
        {"<?xml version=\"1.0\"?><!DOCTYPE lolz [<!ENTITY lol \"lol\"><!ENTITY lol2 \"&lol;&lol;&lol;\">]><lolz>&lol2;</lolz>",
         MediaErrorKind::UnsafePackage},
        {"<!doctype x SYSTEM \"file:///etc/passwd\"><x/>", MediaErrorKind::UnsafePackage},
        {"<x/><!ENTITY e \"v\">", MediaErrorKind::UnsafePackage},
        {utf16, MediaErrorKind::UnsafePackage},
        {"<a><b></a>", MediaErrorKind::DamagedPackage},
        {"", MediaErrorKind::DamagedPackage},
    };
    for (const auto& [xml, kind] : cases) {
        pugi::xml_document doc;
        mediatest::Refusal r = mediatest::refusal([&] { parseXml(doc, xml, "'/part.xml' in 'p.zip'"); });
        EXPECT_EQ(r.kind, kind) << xml;
        EXPECT_NE(r.message.find("'/part.xml' in 'p.zip'"), std::string::npos) << r.message;
    }
}

TEST(SafeXml, KeepsTheSpaceThatIsAnElementsText)
{
    pugi::xml_document doc;
    parseXml(doc, "<p>\n  <t> </t>\n  <t>a &amp; b</t>\n</p>", "x");
    auto t = doc.child("p").child("t");
    EXPECT_STREQ(t.child_value(), " ");
    EXPECT_STREQ(t.next_sibling("t").child_value(), "a & b");
    EXPECT_EQ(localName("p:sld"), "sld");
    EXPECT_EQ(localName("sld"), "sld");
}
