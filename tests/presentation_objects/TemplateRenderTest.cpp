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

std::string lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

class TemplateRenderTest : public PptTest {};

TEST_F(TemplateRenderTest, ALibreOfficeTemplateGivesTheDeckItsMasterAndTheme)
{
    // A one-slide presentation in flat ODF with a sea-blue master background.
    const fs::path fodp = fs::path(ORVEL_SOURCE_DIR) / "tests/data/presentation_objects/styled.fodp";
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
