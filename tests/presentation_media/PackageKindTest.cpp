// What a file is, by content: PresentationML under any name, Word
// documents, legacy binary files and everything else.
#include <gtest/gtest.h>

#include "TestFiles.h"
#include "common/TestEnv.h"
#include "media/MediaError.h"
#include "office/package/PackageKind.h"

using namespace pptmedia;
using namespace office;
using namespace mediatest;

namespace {

const std::string kRoot =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
    "Target=\"ppt/presentation.xml\"/></Relationships>";

Bytes presentationWithMainType(const std::string& contentType)
{
    return opcPackage({{"_rels/.rels", kRoot}, {"ppt/presentation.xml", "<p:presentation xmlns:p=\"urn:p\"/>"}},
                      {{"ppt/presentation.xml", contentType}});
}

Bytes ole2File()
{
    Bytes bytes = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    bytes.resize(4096, 0);
    return bytes;
}

}  // namespace

TEST(PackageKind, DecidesByContentTypeAndOfficeDocumentRelationship)
{
    testenv::TempDir dir;
    struct Case {
        std::string contentType;
        PackageKind kind;
    } cases[] = {
        {"application/vnd.openxmlformats-officedocument.presentationml.template.main+xml", PackageKind::PresentationTemplate},
        {"application/vnd.openxmlformats-officedocument.presentationml.presentation.main+xml", PackageKind::Presentation},
        {"application/vnd.ms-powerpoint.slideshow.macroEnabled.main+xml", PackageKind::Slideshow},
        {"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml", PackageKind::WordDocument},
        {"application/xml", PackageKind::OtherPackage},
    };
    for (const Case& c : cases) {
        // The name says nothing: ".pot" holding template content is a template.
        testenv::writeFile(dir / "design.pot", asString(presentationWithMainType(c.contentType)));
        OpenedPackage opened = openPackage(dir / "design.pot", "design.pot");
        EXPECT_EQ(opened.kind, c.kind) << c.contentType;
        EXPECT_TRUE(opened.package.has_value());
    }
    testenv::writeFile(dir / "t.pot", asString(presentationWithMainType(cases[0].contentType)));
    EXPECT_EQ(openPresentationPackage(dir / "t.pot", "t.pot").mainPart, "/ppt/presentation.xml");

    // Without the officeDocument relationship it is just a zip package.
    testenv::writeFile(dir / "norel.pptx",
                       asString(opcPackage({{"ppt/presentation.xml", "<x/>"}},
                                           {{"ppt/presentation.xml", cases[1].contentType}})));
    EXPECT_EQ(probePackageKind(dir / "norel.pptx", "norel.pptx"), PackageKind::OtherPackage);
}

TEST(PackageKind, LegacyBinaryFilesAreRefusedByName)
{
    testenv::TempDir dir;
    testenv::writeFile(dir / "old.pot", asString(ole2File()));
    EXPECT_EQ(probePackageKind(dir / "old.pot", "old.pot"), PackageKind::LegacyBinary);
    try {
        openPresentationPackage(dir / "old.pot", "C:\\Templates\\old.pot");
        FAIL();
    } catch (const MediaError& e) {
        EXPECT_EQ(e.kind(), MediaErrorKind::LegacyBinaryFormat);
        std::string message = e.what();
        EXPECT_NE(message.find("'C:\\Templates\\old.pot'"), std::string::npos) << message;
        EXPECT_NE(message.find("legacy binary format"), std::string::npos) << message;
        EXPECT_NE(message.find("not supported"), std::string::npos) << message;
    }
    testenv::writeFile(dir / "old.doc", asString(ole2File()));
    EXPECT_THROW(
        {
            try {
                openWordPackage(dir / "old.doc", "old.doc");
            } catch (const MediaError& e) {
                EXPECT_EQ(e.kind(), MediaErrorKind::LegacyBinaryFormat);
                throw;
            }
        },
        MediaError);
}

TEST(PackageKind, EverythingElseIsNamedForWhatItIs)
{
    testenv::TempDir dir;
    testenv::writeFile(dir / "empty.pptx", "");
    testenv::writeFile(dir / "text.pptx", "PK but not really a zip file at all .................");
    testenv::writeFile(dir / "plain.txt", "hello");
    EXPECT_EQ(probePackageKind(dir / "empty.pptx", "e"), PackageKind::Empty);
    EXPECT_EQ(probePackageKind(dir / "text.pptx", "t"), PackageKind::Unknown);
    EXPECT_EQ(probePackageKind(dir / "plain.txt", "p"), PackageKind::Unknown);
    try {
        openPresentationPackage(dir / "plain.txt", "plain.txt");
        FAIL();
    } catch (const MediaError& e) {
        EXPECT_EQ(e.kind(), MediaErrorKind::NotAPackage);
        EXPECT_NE(std::string(e.what()).find("'plain.txt' is not a PowerPoint presentation or template"),
                  std::string::npos);
    }
    EXPECT_THROW(openPresentationPackage(dir / "missing.pptx", "missing.pptx"), MediaError);

    // An unsafe package is refused, not classified.
    testenv::writeFile(dir / "evil.pptx", asString(zipArchive({{"../x", "y"}})));
    try {
        probePackageKind(dir / "evil.pptx", "evil.pptx");
        FAIL();
    } catch (const MediaError& e) {
        EXPECT_EQ(e.kind(), MediaErrorKind::UnsafePackage);
    }
}
