#include "BinaryCheck.h"

#include <gtest/gtest.h>

#include "common/PackageCheck.h"
#include "common/TestEnv.h"

namespace binarytest {

void keepForInspection(const std::filesystem::path& file)
{
    if (const char* keep = std::getenv("ORVEL_KEEP_PPT"))
        std::filesystem::copy_file(file, std::filesystem::path(keep) / file.filename(),
                                   std::filesystem::copy_options::overwrite_existing);
}

void expectValidPpt(const std::filesystem::path& file)
{
    keepForInspection(file);
    const auto result = testenv::validatePpt(file);
    EXPECT_EQ(result.status, 0) << file << "\n" << result.output;
}

std::string readWithPoi(const std::filesystem::path& file)
{
    const auto result = testenv::runCommand(std::string("java -cp " ORVEL_POI_CLASS_PATH " PptReader ") + testenv::shellQuote(file.string()));
    EXPECT_EQ(result.status, 0) << result.output;
    return result.output;
}

}  // namespace binarytest

#include "ObjectFiles.h"

namespace binarytest {

using namespace PowerPoint;

void fillSampleDeck(const ComPtr<_Presentation>& presentation, const std::filesystem::path& dir)
{
    auto slides = presentation->GetSlides();
    auto one = slides->Add(1, ppLayoutBlank);
    auto two = slides->Add(2, ppLayoutBlank);
    auto shapes = one->GetShapes();

    auto title = shapes->AddLabel(msoTextOrientationHorizontal, 60, 40, 600, 60);
    title->GetTextFrame()->PutAutoSize(ppAutoSizeNone);
    auto titleText = title->GetTextFrame()->GetTextRange();
    titleText->InsertAfter(u"Quarterly report");
    titleText->GetFont()->PutSize(32);
    titleText->GetFont()->PutBold(msoTrue);
    titleText->GetParagraphFormat()->PutAlignment(ppAlignCenter);

    auto body = shapes->AddLabel(msoTextOrientationHorizontal, 60, 120, 600, 300);
    body->GetTextFrame()->PutAutoSize(ppAutoSizeNone);
    body->GetTextFrame()->PutWordWrap(msoTrue);
    auto text = body->GetTextFrame()->GetTextRange();
    text->GetFont()->PutSize(20);
    text->InsertAfter(u"Plain, ");
    text->InsertAfter(u"bold")->GetFont()->PutBold(msoTrue);
    text->InsertAfter(u", ");
    auto italic = text->InsertAfter(u"italic serif");
    italic->GetFont()->PutBold(msoFalse);
    italic->GetFont()->PutItalic(msoTrue);
    italic->GetFont()->PutName(u"Liberation Serif");
    auto underlined = text->InsertAfter(u" and underlined\r");
    underlined->GetFont()->PutItalic(msoFalse);
    underlined->GetFont()->PutName(u"Arial");
    underlined->Characters(6, 10)->GetFont()->PutUnderline(msoTrue);
    text->InsertAfter(u"Flush right\r")->GetFont()->PutUnderline(msoFalse);
    text->Paragraphs(2, 1)->GetParagraphFormat()->PutAlignment(ppAlignRight);
    text->InsertAfter(u"A bullet with a ");
    text->InsertAfter(u"web link")->GetActionSettings()->Item(ppMouseClick)->GetHyperlink()->PutAddress(u"https://www.example.com/q3");
    text->InsertAfter(u" and a ");
    text->InsertAfter(u"mail link")->GetActionSettings()->Item(ppMouseClick)->GetHyperlink()->PutAddress(u"mailto:board@example.com");
    text->InsertAfter(u"\rAnother bullet: ");
    text->InsertAfter(u"a file")->GetActionSettings()->Item(ppMouseClick)->GetHyperlink()->PutAddress(u"C:\\docs\\plan.docx");
    text->InsertAfter(u", ");
    text->InsertAfter(u"slide two")->GetActionSettings()->Item(ppMouseClick)->GetHyperlink()->PutSubAddress(u"257,2,");
    text->Paragraphs(3, 2)->GetParagraphFormat()->GetBullet()->PutVisible(msoTrue);

    auto fit = shapes->AddLabel(msoTextOrientationHorizontal, 60, 440, 200, 20);
    fit->GetTextFrame()->PutWordWrap(msoFalse);
    fit->GetTextFrame()->PutAutoSize(ppAutoSizeShapeToFitText);
    fit->GetTextFrame()->GetTextRange()->InsertAfter(u"Sized to fit, one line");

    auto footers = one->GetHeadersFooters();
    footers->GetFooter()->PutVisible(msoTrue);
    footers->GetFooter()->PutText(u"Confidential");
    footers->GetSlideNumber()->PutVisible(msoTrue);
    footers->GetDateAndTime()->PutVisible(msoTrue);
    one->GetNotesPage()->GetShapes()->GetPlaceholders()->Item(2)->GetTextFrame()->GetTextRange()->InsertAfter(
        u"Speaker notes for slide one");

    auto pictures = two->GetShapes();
    const auto png = objtest::writePng(dir, "chart.png", 120, 80);
    auto add = [&](const std::filesystem::path& file, float left, float top) {
        return pictures->AddPicture(ppttest::u16(file.string()), msoFalse, msoTrue, left, top, 150, 100);
    };
    add(png, 40, 40)->GetActionSettings()->Item(ppMouseClick)->GetHyperlink()->PutAddress(u"https://www.example.com/chart");
    add(objtest::writeJpeg(dir, "photo.jpg", 90, 60), 220, 40);
    add(objtest::writeGif(dir, "logo.gif", 40, 40), 400, 40);
    add(objtest::writeEmf(dir, "drawing.emf", 150, 100), 40, 180);
    add(png, 220, 180);
    const auto table = objtest::writeTableDocument(dir, "table.docx", objtest::cellTexts(2, 2));
    pictures->AddOLEObject(40, 320, 0, 0, u"", ppttest::u16(table.string()), msoFalse, u"", 0, u"", msoFalse);
    auto twoFooters = two->GetHeadersFooters();
    twoFooters->GetDateAndTime()->PutVisible(msoTrue);
    twoFooters->GetDateAndTime()->PutUseFormat(msoFalse);
    twoFooters->GetDateAndTime()->PutText(u"1/1/2030");
}

}  // namespace binarytest
