// The design of a .pot/.ppt read back: from our own writer, from
// LibreOffice, and damaged files of each kind refused with a clear error.
#include <gmock/gmock.h>

#include <fstream>
#include <sstream>

#include "BinaryCheck.h"
#include "ObjectFiles.h"
#include "common/PackageCheck.h"
#include "TemplateDeck.h"
#include "binary/BinaryDesign.h"
#include "binary/PowerPointWriter.h"
#include "media/MediaError.h"
#include "objects/Objects.h"

namespace {

using ::testing::HasSubstr;

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

class BinaryDesignTest : public ppttest::PptTest {
protected:
    // A .pot with the test template's design (background 1E5AA0, accent1
    // C0FFEE) and a PNG logo on the master.
    std::filesystem::path writeTemplate()
    {
        applyTestTemplate();
        ppt::PresentationModel& model = *ppt::presentationModel(presentation);
        logo = fileBytes(objtest::writePng(dir.path(), "logo.png", 40, 20));
        ppt::PictureShape picture;
        picture.media = model.media.add(logo, "png", "image/png");
        model.master.shapes.add(picture, u"Logo", ppt::Box{600, 20, 100, 50});
        const auto pot = dir / "design.pot";
        ppt::writePowerPointBinary(model, pot.string());
        binarytest::expectValidPpt(pot);
        return pot;
    }

    void applyTestTemplate(const std::string& background = mediatest::TemplateRecipe().masterBackground)
    {
        mediatest::TemplateRecipe recipe;
        recipe.masterBackground = background;
        recipe.layouts = {{"blank", {"dt", "ftr", "sldNum"}}};
        const auto potx = objtest::writeTestFile(dir.path(), "design.potx", mediatest::asString(mediatest::makeTemplate(recipe)));
        presentation->ApplyTemplate(ppttest::u16(potx.string()));
    }

    std::string logo;
};

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
    EXPECT_THAT(master, HasSubstr("<a:off x=\"7620000\" y=\"254000\"/><a:ext cx=\"1270000\" cy=\"635000\"/>"));
    EXPECT_THAT(master, HasSubstr("<p:titleStyle><a:lvl1pPr marL=\"0\" indent=\"0\" algn=\"l\"><a:buNone/><a:defRPr sz=\"4400\" b=\"0\""));
    EXPECT_THAT(master, HasSubstr("<a:latin typeface=\"Arial\"/>"));
    const pptmedia::PackagePart* picture = design.find("/ppt/media/template-image1.png");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(pptmedia::asText(picture->bytes), logo);

    // ApplyTemplate takes it by content, and both writers take the design.
    auto model = ppt::presentationModel(presentation);
    presentation->ApplyTemplate(ppttest::u16(pot.string()));
    EXPECT_EQ(model->design->masterBackgroundColour, "1E5AA0");
    addSlide();
    ppt::writePowerPointBinary(*model, (dir / "again.ppt").string());
    binarytest::expectValidPpt(dir / "again.ppt");
    EXPECT_THAT(binarytest::readWithPoi(dir / "again.ppt"), HasSubstr("master background=java.awt.Color[r=30,g=90,b=160]"));
    const auto checked = testenv::validatePackage(save("again.pptx"));
    EXPECT_EQ(checked.status, 0) << checked.output;
}

TEST_F(BinaryDesignTest, LibreOfficeTemplatesGiveTheirBackgrounds)
{
    if (testenv::runCommand("command -v soffice").status != 0) GTEST_SKIP() << "LibreOffice is not installed";
    const std::string effects = "<a:effectLst/></p:bgPr></p:bg>";
    const std::string backgrounds[] = {
        mediatest::TemplateRecipe().masterBackground,
        "<p:bg><p:bgPr><a:gradFill><a:gsLst><a:gs pos=\"0\"><a:srgbClr val=\"1E5AA0\"/></a:gs><a:gs pos=\"100000\">"
        "<a:srgbClr val=\"FFFF00\"/></a:gs></a:gsLst><a:lin ang=\"5400000\" scaled=\"0\"/></a:gradFill>" + effects,
        "<p:bg><p:bgPr><a:blipFill><a:blip r:embed=\"rId2\"/><a:stretch><a:fillRect/></a:stretch></a:blipFill>" + effects};
    std::vector<std::filesystem::path> decks;
    addSlide();
    for (const std::string& background : backgrounds) {
        applyTestTemplate(background);
        decks.push_back(save("lo" + std::to_string(decks.size()) + ".pptx"));
    }
    const auto pots = testenv::convertWithLibreOffice(decks, "pot", dir / "lo");
    const char* expected[] = {"<a:solidFill><a:srgbClr val=\"1E5AA0\"/>", "<a:srgbClr val=\"1E5AA0\"/></a:gs><a:gs pos=\"100000\"><a:srgbClr val=\"FFFF00\"/>",
                              "<a:blipFill rotWithShape=\"1\"><a:blip r:embed=\"rId"};
    for (std::size_t i = 0; i < pots.size(); ++i) {
        ASSERT_FALSE(pots[i].empty()) << "LibreOffice made no .pot of " << decks[i];
        const auto design = ppt::readBinaryDesign(pots[i], pots[i].filename().string());
        EXPECT_THAT(design.masterBackgroundXml, HasSubstr(expected[i])) << pots[i];
        EXPECT_THAT(partText(design, design.masterPart), HasSubstr("<p:pic>")) << pots[i];  // the template's logo
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

}  // namespace
