// A template made by LibreOffice is imported with its design, and a deck
// built on the imported parts shows that design when LibreOffice renders it.
#include <gtest/gtest.h>

#include <memory>

#include <gdk-pixbuf/gdk-pixbuf.h>

#include "TemplateDeck.h"
#include "common/PackageCheck.h"
#include "common/TestEnv.h"
#include "template/TemplateImport.h"

using namespace pptmedia;
using namespace mediatest;

namespace {

// A one-page flat ODF presentation whose master page has a solid blue
// background (LibreOffice ignores the master pages of a document without an
// office:styles element).
const char* kStyledPresentation = R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
  xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
  xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
  xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"
  xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"
  xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"
  xmlns:presentation="urn:oasis:names:tc:opendocument:xmlns:presentation:1.0"
  office:version="1.3" office:mimetype="application/vnd.oasis.opendocument.presentation">
 <office:styles/>
 <office:automatic-styles>
  <style:page-layout style:name="PM1">
   <style:page-layout-properties fo:page-width="25.4cm" fo:page-height="19.05cm" style:print-orientation="landscape"/>
  </style:page-layout>
  <style:style style:name="dp1" style:family="drawing-page">
   <style:drawing-page-properties draw:background-size="full" draw:fill="solid" draw:fill-color="#1e5aa0"/>
  </style:style>
 </office:automatic-styles>
 <office:master-styles>
  <style:master-page style:name="Orvel_20_Design" style:display-name="Orvel Design" style:page-layout-name="PM1" draw:style-name="dp1"/>
 </office:master-styles>
 <office:body>
  <office:presentation>
   <draw:page draw:name="page1" draw:master-page-name="Orvel_20_Design"/>
  </office:presentation>
 </office:body>
</office:document>
)";

struct PixbufUnref {
    void operator()(GdkPixbuf* p) const { g_object_unref(p); }
};

std::string lower(std::string s)
{
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

TEST(TemplateRender, LibreOfficeTemplateBringsItsBackgroundAndTheme)
{
    testenv::TempDir dir;
    testenv::writeFile(dir / "design.fodp", kStyledPresentation);
    auto profile = dir / ".lo-profile";
    testenv::CommandResult made = testenv::runCommand(
        "soffice -env:UserInstallation=file://" + profile.string() + " --headless --convert-to potx --outdir " +
        testenv::shellQuote(dir.path().string()) + " " + testenv::shellQuote((dir / "design.fodp").string()));
    ASSERT_TRUE(std::filesystem::exists(dir / "design.potx")) << made.output;
    // Under a legacy name, as templates are often called.
    std::filesystem::rename(dir / "design.potx", dir / "design.pot");

    ImportedTemplate imported = importTemplate(dir / "design.pot", "design.pot");
    EXPECT_EQ(lower(imported.masterBackgroundColour), "1e5aa0");
    EXPECT_NE(lower(imported.masterBackgroundXml).find("1e5aa0"), std::string::npos);
    EXPECT_EQ(imported.themeColours.size(), 12u);
    EXPECT_FALSE(imported.themeColours["accent1"].empty());
    const PackagePart* theme = imported.find(imported.themePart);
    ASSERT_NE(theme, nullptr);
    EXPECT_NE(asString(theme->bytes).find("clrScheme"), std::string::npos);

    testenv::writeFile(dir / "deck.pptx", asString(assembleDeck(imported, "Hello from the template")));
    testenv::CommandResult check = testenv::validatePackage(dir / "deck.pptx");
    EXPECT_EQ(check.status, 0) << check.output;

    std::filesystem::path pdf = testenv::convertToPdf(dir / "deck.pptx", dir / "out");
    ASSERT_FALSE(pdf.empty());
    EXPECT_NE(testenv::pdfText(pdf).find("Hello from the template"), std::string::npos);
    testenv::runCommand("pdftoppm -png -r 30 -singlefile " + testenv::shellQuote(pdf.string()) + " " +
                        testenv::shellQuote((dir / "page").string()));
    GError* error = nullptr;
    std::unique_ptr<GdkPixbuf, PixbufUnref> page(gdk_pixbuf_new_from_file((dir / "page.png").c_str(), &error));
    ASSERT_TRUE(page) << (error ? error->message : "no page picture");
    const guchar* pixel = gdk_pixbuf_get_pixels(page.get()) + 5 * gdk_pixbuf_get_rowstride(page.get()) +
                          5 * gdk_pixbuf_get_n_channels(page.get());
    EXPECT_NEAR(pixel[0], 0x1e, 8);
    EXPECT_NEAR(pixel[1], 0x5a, 8);
    EXPECT_NEAR(pixel[2], 0xa0, 8);
}
