// What LibreOffice shows of a generated deck: one page per slide, the
// numbered header at the top, the body text below it, the footer text.
#include <gtest/gtest.h>

#include "GeneratorFixture.h"
#include "common/Modules.h"
#include "common/PackageCheck.h"

using namespace gentest;

namespace {

TEST(Render, HeaderBodyAndFooterShowOnEverySlide)
{
    testenv::ScopedRegistry registry;
    testenv::TempDir dir;
    ScopedCurrentDir cwd(dir.path());
    std::string error;
    ASSERT_TRUE(testenv::registerModule("libpowerpoint.so", &error)) << error;
    {
        ComPtr<IDocument> doc = makeOrvel();
        doc->overrideRegistry(bs("PowerPoint").get(), bs("ClosePauseMs").get(), bs("0").get(), 1);
        doc->start();
        doc->create(bs((dir / "render.pptx").string()).get());
        doc->startHeader();
        doc->insertText(bs("Page ").get());
        doc->insertField(4);
        doc->endHeader();
        doc->startFooter();
        doc->insertText(bs("Acme Footer").get());
        doc->endFooter();
        doc->setStyle(bs("Heading 1").get());
        doc->insertText(bs("Quarterly report").get());
        doc->insertEndl();
        doc->setStyle(bs("Normal").get());
        doc->insertText(bs("First slide body").get());
        doc->insertPageBreak();
        doc->insertText(bs("Second slide body").get());
        doc->close();
        doc->stop();
    }
    std::filesystem::path deck = dir / "render.pptx";
    testenv::CommandResult check = testenv::validatePackage(deck);
    EXPECT_EQ(check.status, 0) << check.output;

    std::filesystem::path pdf = testenv::convertToPdf(deck, dir.path());
    ASSERT_FALSE(pdf.empty());
    ASSERT_EQ(testenv::pdfPageCount(pdf), 2);
    std::string first = testenv::pdfText(pdf, 1);
    std::string second = testenv::pdfText(pdf, 2);
    EXPECT_NE(first.find("Page 1"), std::string::npos) << first;
    EXPECT_NE(first.find("Quarterly report"), std::string::npos) << first;
    EXPECT_NE(first.find("First slide body"), std::string::npos) << first;
    EXPECT_NE(first.find("Acme Footer"), std::string::npos) << first;
    EXPECT_NE(second.find("Page 2"), std::string::npos) << second;
    EXPECT_NE(second.find("Second slide body"), std::string::npos) << second;
    EXPECT_EQ(second.find("First slide body"), std::string::npos) << second;
    // The header sits above the body text.
    std::string boxes = testenv::pdfWordBoxes(pdf);
    auto topOf = [&](const std::string& word) {
        std::size_t at = boxes.find(">" + word + "</word>");
        if (at == std::string::npos) return -1.0;
        std::size_t y = boxes.rfind("yMin=\"", at);
        return std::stod(boxes.substr(y + 6));
    };
    double page = topOf("Page");
    double quarterly = topOf("Quarterly");
    ASSERT_GT(page, 0.0);
    EXPECT_LT(page, quarterly);
}

}  // namespace
