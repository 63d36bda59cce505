// A template LibreOffice made (a coloured master background), under the
// legacy name templates often have: imported with its background and theme
// colours, and applied to a deck: the saved deck uses its master and theme,
// and LibreOffice draws the slides on that background. Starts LibreOffice
// (label render).
#include <algorithm>
#include <cctype>

#include "DeckCheck.h"
#include "ObjectFiles.h"
#include "PageImage.h"
#include "PdfWords.h"
#include "common/PackageCheck.h"
#include "template/TemplateImport.h"

namespace objtest {
namespace {

using namespace ppttest;

// A one-slide presentation in flat ODF with a sea-blue master background.
constexpr const char* kStyledFodp = R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"
 xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"
 xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"
 xmlns:presentation="urn:oasis:names:tc:opendocument:xmlns:presentation:1.0"
 office:version="1.3" office:mimetype="application/vnd.oasis.opendocument.presentation">
 <office:styles>
  <style:style style:name="Sea" style:family="presentation">
   <style:graphic-properties draw:fill="solid" draw:fill-color="#1E5AA0"/>
  </style:style>
 </office:styles>
 <office:automatic-styles>
  <style:page-layout style:name="PM1">
   <style:page-layout-properties fo:page-width="25.4cm" fo:page-height="19.05cm" style:print-orientation="landscape"/>
  </style:page-layout>
  <style:style style:name="Mdp1" style:family="drawing-page">
   <style:drawing-page-properties draw:background-size="full" draw:fill="solid" draw:fill-color="#1E5AA0"/>
  </style:style>
 </office:automatic-styles>
 <office:master-styles>
  <style:master-page style:name="Sea" style:page-layout-name="PM1" draw:style-name="Mdp1"/>
 </office:master-styles>
 <office:body>
  <office:presentation>
   <draw:page draw:name="page1" draw:master-page-name="Sea">
    <draw:frame svg:width="20cm" svg:height="3cm" svg:x="2cm" svg:y="2cm"><draw:text-box><text:p>Template slide</text:p></draw:text-box></draw:frame>
   </draw:page>
  </office:presentation>
 </office:body>
</office:document>
)";

std::string lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

class TemplateRenderTest : public PptTest {};

TEST_F(TemplateRenderTest, ALibreOfficeTemplateGivesTheDeckItsMasterAndTheme)
{
    const auto fodp = writeTestFile(dir.path(), "styled.fodp", kStyledFodp);
    const auto made = testenv::convertWithLibreOffice({fodp}, "potx", dir.path()).front();
    ASSERT_FALSE(made.empty());
    const auto design = dir / "styled.pot";
    fs::rename(made, design);

    const auto imported = pptmedia::importTemplate(design, "styled.pot");
    EXPECT_EQ(lower(imported.masterBackgroundColour), "1e5aa0");
    EXPECT_EQ(imported.themeColours.size(), 12u);
    EXPECT_FALSE(imported.themeColours.at("accent1").empty());

    presentation->ApplyTemplate(u16(design.string()));
    for (int n = 1; n <= 2; ++n) {
        auto slide = addSlide();
        textOf(addBody(slide))->InsertAfter(u"Designed slide " + u16(std::to_string(n)));
        slide->GetNotesPage()->GetShapes()->GetPlaceholders()->Item(2)->GetTextFrame()->GetTextRange()->InsertAfter(
            u"Speaker notes");
    }
    const auto path = save("designed.pptx");
    // LibreOffice numbers a layout's group and one of its shapes alike;
    // PowerPoint tolerates that, the validator too, and the imported parts keep it.
    expectSoundPackage(path);

    // The saved master carries the template's background, the theme its colours.
    auto parts = deck::readParts(path);
    auto source = deck::readParts(design);
    EXPECT_NE(lower(parts["ppt/slideMasters/slideMaster1.xml"]).find("1e5aa0"), std::string::npos);
    EXPECT_EQ(parts["ppt/theme/theme1.xml"], source["ppt/theme/theme1.xml"]);
    EXPECT_EQ(parts["ppt/theme/theme1.xml"].find("name=\"Plain\""), std::string::npos);

    const auto pdf = testenv::convertToPdf(path, dir / "pdf");
    ASSERT_FALSE(pdf.empty());
    ASSERT_EQ(testenv::pdfPageCount(pdf), 2);
    auto words = deck::pdfWords(pdf);
    ASSERT_TRUE(deck::findWord(words[1], "Designed"));
    PageImage page(pdf, 2, dir / "designed");
    ASSERT_TRUE(page.valid());
    for (auto [x, y] : {std::pair{5, 5}, std::pair{700, 300}, std::pair{360, 530}}) {
        const Rgb c = page.pixel(x, y);
        EXPECT_NEAR(c.r, 0x1E, 6) << x << "," << y;
        EXPECT_NEAR(c.g, 0x5A, 6) << x << "," << y;
        EXPECT_NEAR(c.b, 0xA0, 6) << x << "," << y;
    }
    if (const char* keep = std::getenv("ORVEL_KEEP_RENDERINGS")) PageImage(pdf, 1, fs::path(keep) / "template-slide1");
}

}  // namespace
}  // namespace objtest
