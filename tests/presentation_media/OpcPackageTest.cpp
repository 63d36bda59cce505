// Part names, content types and relationship targets of a package.
#include <gtest/gtest.h>

#include "TestFiles.h"
#include "office/package/OpcPackage.h"

using namespace pptmedia;
using namespace office;
using namespace mediatest;

TEST(OpcNames, RelationshipTargetsResolveAgainstTheirSource)
{
    EXPECT_EQ(resolveTarget("/ppt/slides/slide1.xml", "../slideLayouts/slideLayout2.xml"),
              "/ppt/slideLayouts/slideLayout2.xml");
    EXPECT_EQ(resolveTarget("/", "ppt/presentation.xml"), "/ppt/presentation.xml");
    EXPECT_EQ(resolveTarget("/ppt/presentation.xml", "slides/slide1.xml"), "/ppt/slides/slide1.xml");
    EXPECT_EQ(resolveTarget("/ppt/presentation.xml", "/ppt/theme/theme1.xml"), "/ppt/theme/theme1.xml");
    EXPECT_EQ(resolveTarget("/ppt/presentation.xml", "./media/image%201.png"), "/ppt/media/image 1.png");
    EXPECT_EQ(resolveTarget("/ppt/slides/slide1.xml", "slide2.xml#frag"), "/ppt/slides/slide2.xml");
    // Above the root, or not a part at all.
    EXPECT_EQ(resolveTarget("/ppt/slides/slide1.xml", "../../../etc/passwd"), "");
    EXPECT_EQ(resolveTarget("/ppt/slides/slide1.xml", "http://example.com/"), "");
    EXPECT_EQ(resolveTarget("/ppt/slides/slide1.xml", ""), "");
}

TEST(OpcNames, RelativeTargetsLeadBack)
{
    const char* pairs[][2] = {
        {"/ppt/slideMasters/slideMaster1.xml", "/ppt/slideLayouts/slideLayout1.xml"},
        {"/ppt/slideMasters/slideMaster1.xml", "/ppt/slideMasters/slideMaster2.xml"},
        {"/ppt/slideLayouts/slideLayout1.xml", "/ppt/media/template-image1.png"},
        {"/ppt/presentation.xml", "/ppt/theme/theme1.xml"},
        {"/a.xml", "/ppt/x/y.xml"},
        {"/ppt/x/y/z.xml", "/b.xml"},
    };
    for (auto& [from, to] : pairs) EXPECT_EQ(resolveTarget(from, relativeTarget(from, to)), to) << from << " " << to;
    EXPECT_EQ(relativeTarget("/ppt/slideMasters/slideMaster1.xml", "/ppt/slideLayouts/slideLayout1.xml"),
              "../slideLayouts/slideLayout1.xml");
    EXPECT_EQ(relationshipPartName("/ppt/slides/slide1.xml"), "/ppt/slides/_rels/slide1.xml.rels");
    EXPECT_EQ(relationshipPartName("/"), "/_rels/.rels");
    EXPECT_TRUE(isRelationshipKind("http://schemas.openxmlformats.org/officeDocument/2006/relationships/slideLayout",
                                   "slideLayout"));
    EXPECT_FALSE(isRelationshipKind("http://x/relationships/notesSlideLayout", "slideLayout"));
}

TEST(OpcPackage, ContentTypesAndRelationships)
{
    OpcPackage package(ZipReader::fromBytes(
        opcPackage({{"_rels/.rels",
                     "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                     "<Relationship Id=\"rId1\" Type=\"http://x/officeDocument\" Target=\"doc/main.xml\"/>"
                     "<Relationship Id=\"rId2\" Type=\"http://x/hyperlink\" Target=\"http://example.com\" "
                     "TargetMode=\"External\"/></Relationships>"},
                    {"doc/main.xml", "<main/>"},
                    {"doc/Pic.PNG", "png"}},
                   {{"doc/main.xml", "application/x-main+xml"}}),
        "p.zip"));
    EXPECT_TRUE(package.hasContentTypes());
    EXPECT_EQ(package.contentType("/doc/main.xml"), "application/x-main+xml");
    EXPECT_EQ(package.contentType("/DOC/MAIN.XML"), "application/x-main+xml");
    EXPECT_EQ(package.contentType("/doc/Pic.PNG"), "image/png");  // Default by extension, any case
    EXPECT_EQ(package.contentType("/doc/none.bin"), "");

    auto main = package.firstOfKind("/", "officeDocument");
    ASSERT_TRUE(main);
    EXPECT_EQ(main->targetPart, "/doc/main.xml");
    auto link = package.relationship("/", "rId2");
    ASSERT_TRUE(link);
    EXPECT_TRUE(link->external);
    EXPECT_EQ(link->targetPart, "");
    EXPECT_TRUE(package.relationships("/doc/main.xml").empty());
    EXPECT_THROW(package.readPart("/doc/missing.xml"), std::exception);
}
