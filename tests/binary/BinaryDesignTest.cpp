// The design of a .pot/.ppt read back: from our own writer, from
// LibreOffice, and damaged files of each kind refused with a clear error.
#include <gmock/gmock.h>

#include <fstream>
#include <sstream>

#include "BinaryCheck.h"
#include "ObjectFiles.h"
#include "PageImage.h"
#include "common/PackageCheck.h"
#include "TemplateDeck.h"
#include "binary/BinaryDesign.h"
#include "binary/PowerPointWriter.h"
#include "media/MediaError.h"
#include "objects/Objects.h"

namespace {

using ::testing::HasSubstr;

const std::string kEffects = "<a:effectLst/></p:bgPr></p:bg>";
const std::string kGradient = "<p:bg><p:bgPr><a:gradFill><a:gsLst><a:gs pos=\"0\"><a:srgbClr val=\"1E5AA0\"/></a:gs><a:gs pos=\"100000\">"
                              "<a:srgbClr val=\"FFFF00\"/></a:gs></a:gsLst>";
const std::string kPictureBackground =
    "<p:bg><p:bgPr><a:blipFill><a:blip r:embed=\"rId2\"/><a:stretch><a:fillRect/></a:stretch></a:blipFill>" + kEffects;

class BinaryDesignTest : public ppttest::PptTest {
protected:
    // A .pot with the test template's design: background 1E5AA0, accent1
    // C0FFEE, a PNG logo on the master.
    std::filesystem::path writeTemplate()
    {
        applyTestTemplate();
        const auto pot = dir / "design.pot";
        ppt::writePowerPointBinary(*ppt::presentationModel(presentation), pot.string());
        binarytest::expectValidPpt(pot);
        return pot;
    }

    std::filesystem::path testTemplate(const std::string& name, const std::string& background = mediatest::TemplateRecipe().masterBackground)
    {
        mediatest::TemplateRecipe recipe;
        recipe.masterBackground = background;
        recipe.layouts = {{"blank", {"dt", "ftr", "sldNum"}}};
        return objtest::writeTestFile(dir.path(), name, mediatest::asString(mediatest::makeTemplate(recipe)));
    }

    void applyTestTemplate() { presentation->ApplyTemplate(ppttest::u16(testTemplate("design.potx").string())); }

    // The logo the test template's master shows.
    std::string templateLogo() const
    {
        const auto& design = *ppt::presentationModel(presentation)->design;
        for (const pptmedia::PackagePart& part : design.parts)
            if (part.contentType == "image/png") return std::string(pptmedia::asText(part.bytes));
        return {};
    }
};

#ifndef ORVEL_DESIGN_RENDER

std::string fileBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string partText(const pptmedia::ImportedTemplate& design, const std::string& name)
{
    const pptmedia::PackagePart* part = design.find(name);
    return part ? std::string(pptmedia::asText(part->bytes)) : std::string();
}

// The master's title style (its first level: a .ppt title has one) and body style.
std::string textStyles(const pptmedia::ImportedTemplate& design)
{
    const std::string master = partText(design, design.masterPart);
    const auto title = master.find("<p:titleStyle>"), body = master.find("<p:bodyStyle>");
    if (title == std::string::npos || body == std::string::npos) return {};
    return master.substr(title, master.find("</a:lvl1pPr>", title) - title) + master.substr(body, master.find("</p:bodyStyle>") - body);
}

// The master's date, footer and slide-number placeholders, each as its type and box.
std::string footerBoxes(const pptmedia::ImportedTemplate& design)
{
    const std::string master = partText(design, design.masterPart);
    std::string boxes;
    for (const std::string type : {"dt", "ftr", "sldNum"}) {
        const auto at = master.find("<p:ph type=\"" + type + "\""), offset = master.find("<a:off ", at);
        const auto end = master.find("/>", master.find("<a:ext ", at));
        if (at != std::string::npos && end != std::string::npos) boxes += type + " " + master.substr(offset, end - offset) + "\n";
    }
    return boxes;
}

TEST_F(BinaryDesignTest, OwnTemplateReadsBackAndServesBothWriters)
{
    const auto pot = writeTemplate();
    const auto design = ppt::readBinaryDesign(pot, "design.pot");
    const auto& source = *ppt::presentationModel(presentation)->design;
    EXPECT_EQ(design.masterBackgroundColour, "1E5AA0");
    EXPECT_EQ(design.themeColours.at("lt1"), "1E5AA0");  // the scheme's background is the master's
    for (const char* name : {"dk1", "dk2", "accent1", "accent2", "hlink", "folHlink"})
        EXPECT_EQ(design.themeColours.at(name), source.themeColours.at(name)) << name;
    const std::string master = partText(design, design.masterPart);
    EXPECT_THAT(master, HasSubstr("<p:bg><p:bgPr><a:solidFill><a:srgbClr val=\"1E5AA0\"/>"));
    EXPECT_THAT(master, HasSubstr("<p:titleStyle><a:lvl1pPr marL=\"0\" indent=\"0\" algn=\"l\"><a:buNone/><a:defRPr sz=\"4400\" b=\"0\""));
    EXPECT_THAT(master, HasSubstr("<a:latin typeface=\"Arial\"/>"));
    const pptmedia::PackagePart* picture = design.find("/ppt/media/template-image1.png");  // the template's logo
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(pptmedia::asText(picture->bytes), templateLogo());

    // ApplyTemplate takes it by content, and the .pptx writer takes the design
    // (the .ppt writer's side is the next test's).
    presentation->ApplyTemplate(ppttest::u16(pot.string()));
    EXPECT_EQ(ppt::presentationModel(presentation)->design->masterBackgroundColour, "1E5AA0");
    const auto checked = testenv::validatePackage(save("again.pptx"));
    EXPECT_EQ(checked.status, 0) << checked.output;
}

// Templates LibreOffice made and our own .potx, each with a logo, applied
// to a deck saved as .ppt: the file keeps the background (read back by POI
// and by our reader, gradients with their direction) and the logo.
TEST_F(BinaryDesignTest, TemplatesGiveTheSavedPptTheirBackgroundAndLogo)
{
    if (testenv::runCommand("command -v soffice").status != 0) GTEST_SKIP() << "LibreOffice is not installed";
    const std::string backgrounds[] = {mediatest::TemplateRecipe().masterBackground,
                                       kGradient + "<a:lin ang=\"5400000\" scaled=\"0\"/></a:gradFill>" + kEffects, kPictureBackground};
    std::vector<std::filesystem::path> decks;
    addSlide();
    for (const std::string& background : backgrounds) {
        presentation->ApplyTemplate(ppttest::u16(testTemplate("lo" + std::to_string(decks.size()) + ".potx", background).string()));
        decks.push_back(save("lo" + std::to_string(decks.size()) + ".pptx"));
    }
    const auto pots = testenv::convertWithLibreOffice(decks, "pot", dir / "lo");
    const std::string yellowGradient = " colour=java.awt.Color[r=30,g=90,b=160] back=java.awt.Color[r=255,g=255,b=0]";
    const struct {
        std::filesystem::path file;
        const char* read;  // in the design read from the file, and again from the .ppt written with it
        std::string poi;   // what POI reads of the .ppt's master background: fill type and colours
    } cases[] = {
        {pots[0], "<a:solidFill><a:srgbClr val=\"1E5AA0\"/>", "0 colour=java.awt.Color[r=30,g=90,b=160] back=null"},
        {pots[1], "<a:srgbClr val=\"1E5AA0\"/></a:gs><a:gs pos=\"100000\"><a:srgbClr val=\"FFFF00\"/></a:gs></a:gsLst><a:lin ang=\"5400000\"",
         "7" + yellowGradient},
        {pots[2], "<a:blipFill rotWithShape=\"1\"><a:blip r:embed=\"rId", "3 colour=null back=null picture=PNG"},
        {testTemplate("left.potx", kGradient + "<a:lin ang=\"0\" scaled=\"0\"/></a:gradFill>" + kEffects), "</a:gsLst><a:lin ang=\"0\"",
         "7" + yellowGradient},
        {testTemplate("radial.potx", kGradient + "<a:path path=\"circle\"/></a:gradFill>" + kEffects),
         "<a:srgbClr val=\"FFFF00\"/></a:gs></a:gsLst><a:path path=\"circle\">", "6" + yellowGradient},
    };
    auto model = ppt::presentationModel(presentation);
    for (const auto& c : cases) {
        ASSERT_FALSE(c.file.empty()) << "LibreOffice made no .pot of every deck";
        const std::string name = c.file.filename().string();
        std::string styles, boxes;  // a LibreOffice template's text styles and footer boxes, which the .ppt keeps
        if (c.file.extension() == ".pot") {
            const auto design = ppt::readBinaryDesign(c.file, name);
            EXPECT_THAT(design.masterBackgroundXml, HasSubstr(c.read)) << name;
            EXPECT_THAT(partText(design, design.masterPart), HasSubstr("<p:pic>")) << name;  // the template's logo
            styles = textStyles(design);
            EXPECT_THAT(styles, HasSubstr("<a:defRPr sz=\"")) << name;
            boxes = footerBoxes(design);
        }
        presentation->ApplyTemplate(ppttest::u16(c.file.string()));
        const auto ppt = dir / (name + ".ppt");
        ppt::writePowerPointBinary(*model, ppt.string());
        binarytest::expectValidPpt(ppt);
        const std::string poi = binarytest::readWithPoi(ppt);
        EXPECT_THAT(poi, HasSubstr(" master fill=" + c.poi)) << name;
        EXPECT_THAT(poi, HasSubstr("HSLFPictureShape anchor=8,8,39,39 picture=PNG")) << name;
        const auto written = ppt::readBinaryDesign(ppt, name);
        EXPECT_THAT(written.masterBackgroundXml, HasSubstr(c.read)) << name;
        if (!styles.empty()) {
            EXPECT_EQ(textStyles(written), styles) << name;
            EXPECT_EQ(footerBoxes(written), boxes) << name;
        }
    }
}

// Bytes of a little-endian u32.
std::string le32(std::uint32_t v) { return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }

// The file with `bytes` written at the first place `anchor` occurs, plus offset.
std::string patched(std::string file, std::string_view anchor, std::size_t offset, const std::string& bytes)
{
    const auto at = file.find(anchor);
    EXPECT_NE(at, std::string::npos);
    if (at != std::string::npos) file.replace(at + offset, bytes.size(), bytes);
    return file;
}

TEST_F(BinaryDesignTest, DamagedFilesAreClearErrors)
{
    const std::string good = fileBytes(writeTemplate());
    const std::string_view currentUser("\x00\x00\xF6\x0F", 4), userEdit("\x00\x00\xF5\x0F", 4);
    const std::string_view persistDirectory("\x00\x00\x72\x17", 4), mainMaster("\x0F\x00\xF8\x03", 4);
    const std::uint32_t lastEdit = [&] {
        const std::string field = good.substr(good.find(currentUser) + 16, 4);
        return std::uint32_t(std::uint8_t(field[0])) | std::uint32_t(std::uint8_t(field[1])) << 8 |
               std::uint32_t(std::uint8_t(field[2])) << 16 | std::uint32_t(std::uint8_t(field[3])) << 24;
    }();
    const struct {
        const char* what;
        std::string file;
        const char* message;
    } cases[] = {
        {"not a compound file", "PK\x03\x04 not this", "is not a PowerPoint 97-2003 presentation"},
        {"truncated", good.substr(0, good.size() / 3), "'bad.pot'"},
        {"broken FAT", patched(good, std::string_view("\xD0\xCF\x11\xE0", 4), 0x4C, le32(0x7FFFFFF0)), "damaged compound file"},
        {"record past its container", patched(good, mainMaster, 4, le32(0x7FFFFFF0)), "past the end of its container"},
        {"edit chain loop", patched(good, userEdit, 16, le32(lastEdit)), "loops back to offset"},
        {"huge persist count", patched(good, persistDirectory, 8, le32(0xFFF00001)), "is cut short"},
        {"encrypted", patched(good, currentUser, 12, le32(0xF3D1C4DF)), "encrypted"},
    };
    for (const auto& c : cases) {
        try {
            ppt::readBinaryDesignBytes(c.file, "bad.pot");
            ADD_FAILURE() << c.what << ": read without error";
        } catch (const pptmedia::MediaError& e) {
            EXPECT_THAT(e.what(), HasSubstr("'bad.pot'")) << c.what;
            EXPECT_THAT(e.what(), HasSubstr(c.message)) << c.what;
        }
    }
}

#else  // the render program's case

// A .pot LibreOffice made (background 1E5AA0, a logo) applied to a deck:
// LibreOffice draws every slide of the .ppt, and of the .pptx, on that
// background with the logo.
TEST_F(BinaryDesignTest, EverySlideShowsTheTemplatesBackgroundAndLogo)
{
    applyTestTemplate();
    for (int n = 1; n <= 3; ++n) addBody(addSlide())->GetTextFrame()->GetTextRange()->InsertAfter(u"Slide text");
    const auto pot = testenv::convertWithLibreOffice({save("design.pptx")}, "pot", dir / "lo").front();
    ASSERT_FALSE(pot.empty());
    presentation->ApplyTemplate(ppttest::u16(pot.string()));
    const auto ppt = dir / "designed.ppt";
    ppt::writePowerPointBinary(*ppt::presentationModel(presentation), ppt.string());
    binarytest::expectValidPpt(ppt);
    const auto pptx = save("designed-ooxml.pptx");
    binarytest::keepForInspection(pptx);
    const auto pdfs = testenv::convertWithLibreOffice({ppt, pptx}, "pdf", dir / "pdf");
    for (const auto& pdf : pdfs) {
        ASSERT_FALSE(pdf.empty());
        ASSERT_EQ(testenv::pdfPageCount(pdf), 3) << pdf;
        for (int page = 1; page <= 3; ++page) {
            const objtest::PageImage image(pdf, page, dir / (pdf.stem().string() + std::to_string(page)));
            ASSERT_TRUE(image.valid());
            for (auto [x, y] : {std::pair{5, 5}, std::pair{700, 300}, std::pair{360, 530}}) {
                const objtest::Rgb c = image.pixel(x, y);
                EXPECT_TRUE(std::abs(c.r - 0x1E) <= 6 && std::abs(c.g - 0x5A) <= 6 && std::abs(c.b - 0xA0) <= 6)
                    << pdf.filename() << " page " << page << " at " << x << "," << y << ": " << c.r << "," << c.g << "," << c.b;
            }
            const objtest::Rgb logo = image.pixel(27, 27);  // the logo's middle: red and green, no blue
            EXPECT_LT(logo.b, 0x40) << pdf.filename() << " page " << page;
            EXPECT_GT(logo.r + logo.g, 0x80) << pdf.filename() << " page " << page;
        }
    }
}

#endif

}  // namespace
