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

Bytes presentationWithMainType(const std::string& contentType, bool withRelationship = true)
{
    std::vector<Part> parts = {{"ppt/presentation.xml", "<p:presentation xmlns:p=\"urn:p\"/>"}};
    if (withRelationship)
        parts.push_back({"_rels/.rels", "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                                        "<Relationship Id=\"rId1\" Type=\"" + kRelNs + "officeDocument\" "
                                        "Target=\"ppt/presentation.xml\"/></Relationships>"});
    return opcPackage(parts, {{"ppt/presentation.xml", contentType}});
}

}  // namespace

TEST(PackageKind, DecidesByContentTypeAndOfficeDocumentRelationship)
{
    testenv::TempDir dir;
    const std::string presentationType = "application/vnd.openxmlformats-officedocument.presentationml.presentation.main+xml";
    struct Case {
        std::string contentType;
        PackageKind kind;
    } cases[] = {
        {"application/vnd.openxmlformats-officedocument.presentationml.template.main+xml", PackageKind::PresentationTemplate},
        {presentationType, PackageKind::Presentation},
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
        if (c.kind == PackageKind::PresentationTemplate) {
            EXPECT_EQ(openPresentationPackage(dir / "design.pot", "t.pot").mainPart, "/ppt/presentation.xml");
        }
    }

    Bytes ole2 = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    ole2.resize(4096, 0);
    const std::pair<std::string, PackageKind> probed[] = {
        {asString(presentationWithMainType(presentationType, false)), PackageKind::OtherPackage},  // no officeDocument
        {asString(ole2), PackageKind::LegacyBinary},
        {"", PackageKind::Empty},
        {"PK but not really a zip file at all .................", PackageKind::Unknown},
        {"hello", PackageKind::Unknown},
    };
    for (const auto& [content, kind] : probed) {
        testenv::writeFile(dir / "probed.pptx", content);
        EXPECT_EQ(probePackageKind(dir / "probed.pptx", "p"), kind) << content.substr(0, 20);
    }
}

TEST(PackageKind, WhatCannotBeOpenedIsRefusedByName)
{
    testenv::TempDir dir;
    Bytes ole2 = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    ole2.resize(4096, 0);
    testenv::writeFile(dir / "old.pot", asString(ole2));
    testenv::writeFile(dir / "plain.txt", "hello");
    testenv::writeFile(dir / "evil.pptx", asString(zipArchive({{"../x", "y"}})));
    struct Case {
        std::function<void()> call;
        MediaErrorKind kind;
        std::vector<std::string> says;
    } cases[] = {
        {[&] { openPresentationPackage(dir / "old.pot", "C:\\Templates\\old.pot"); }, MediaErrorKind::LegacyBinaryFormat,
         {"'C:\\Templates\\old.pot'", "legacy binary format", "not supported"}},
        {[&] { openWordPackage(dir / "old.pot", "old.doc"); }, MediaErrorKind::LegacyBinaryFormat, {"'old.doc'"}},
        {[&] { openPresentationPackage(dir / "plain.txt", "plain.txt"); }, MediaErrorKind::NotAPackage,
         {"'plain.txt' is not a PowerPoint presentation or template"}},
        {[&] { openPresentationPackage(dir / "missing.pptx", "missing.pptx"); }, MediaErrorKind::FileNotFound, {"'missing.pptx'"}},
        // An unsafe package is refused, not classified.
        {[&] { probePackageKind(dir / "evil.pptx", "evil.pptx"); }, MediaErrorKind::UnsafePackage, {"'evil.pptx'"}},
    };
    for (const Case& c : cases) {
        Refusal r = refusal(c.call);
        EXPECT_EQ(r.kind, c.kind) << r.message;
        for (const std::string& says : c.says) EXPECT_NE(r.message.find(says), std::string::npos) << r.message;
    }
}
