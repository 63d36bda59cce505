// What LibreOffice makes of the decks the stand-in writes: a deck built the
// way the generator drives the object model, and layout heights compared
// with LibreOffice's own rendering. These start LibreOffice (label render).
#include <algorithm>
#include <cmath>
#include <fstream>
#include <functional>
#include <iostream>
#include <regex>

#include "DeckCheck.h"
#include "PdfWords.h"
#include "PptTestSupport.h"
#include "common/PackageCheck.h"

namespace ppttest {
namespace {

namespace fs = std::filesystem;

// The PDF's page objects in page order (LibreOffice writes them uncompressed).
std::vector<int> pdfPageObjects(const std::string& pdf)
{
    std::vector<int> pages;
    static const std::regex page(R"re((\d+) 0 obj\s*<<\s*/Type\s*/Page\b)re");
    for (auto it = std::sregex_iterator(pdf.begin(), pdf.end(), page); it != std::sregex_iterator(); ++it)
        pages.push_back(std::stoi((*it)[1].str()));
    return pages;
}

std::string pdfObject(const std::string& pdf, int number)
{
    const std::string head = "\n" + std::to_string(number) + " 0 obj";
    const auto start = pdf.find(head);
    if (start == std::string::npos) return {};
    return pdf.substr(start, pdf.find("endobj", start) - start);
}

// The pages that the link annotations of a page jump to.
std::vector<int> pdfLinkDestinations(const std::string& pdf, int pageObject)
{
    std::vector<int> targets;
    const std::string page = pdfObject(pdf, pageObject);
    std::smatch annots;
    if (!std::regex_search(page, annots, std::regex(R"re(/Annots\s*\[([^\]]*)\])re"))) return targets;
    const std::string refs = annots[1].str();
    static const std::regex ref(R"re((\d+) 0 R)re");
    for (auto it = std::sregex_iterator(refs.begin(), refs.end(), ref); it != std::sregex_iterator(); ++it) {
        const std::string annot = pdfObject(pdf, std::stoi((*it)[1].str()));
        std::smatch dest;
        if (std::regex_search(annot, dest, std::regex(R"re(/Dest\s*\[\s*(\d+) 0 R)re")))
            targets.push_back(std::stoi(dest[1].str()));
    }
    return targets;
}

class RenderTest : public PptTest {
protected:
    // Appends one line as the text writer does: text, font from fontStart to
    // the end, bullets for the whole frame, then a paragraph end.
    static void writeLine(const ComPtr<TextRange>& range, const std::u16string& text, int fontStart,
                          const std::u16string& font, float size, bool bold, bool bullet, bool end = true)
    {
        range->InsertAfter(text);
        auto f = range->Characters(fontStart, range->GetLength())->GetFont();
        f->PutBold(bold ? msoTrue : msoFalse);
        f->PutItalic(msoFalse);
        f->PutUnderline(msoFalse);
        f->PutSize(size);
        f->PutName(font);
        range->GetParagraphFormat()->GetBullet()->PutVisible(bullet ? msoTrue : msoFalse);
        if (end) range->InsertAfter(u"\r");
    }

    fs::path render(const fs::path& deckPath, const std::string& format = "pdf")
    {
        auto check = testenv::validatePackage(deckPath);
        EXPECT_EQ(check.status, 0) << check.output;
        for (const auto& p : deck::invariantProblems(deckPath)) ADD_FAILURE() << p;
        auto pdf = testenv::convertWithLibreOffice({deckPath}, format, dir / "pdf").front();
        EXPECT_FALSE(pdf.empty());
        return pdf;
    }
};

TEST_F(RenderTest, DeckBuiltLikeTheGeneratorShowsItsTextWhereItWasPlaced)
{
    auto masterFooters = presentation->GetSlideMaster()->GetHeadersFooters();
    masterFooters->GetSlideNumber()->PutVisible(msoFalse);
    for (int n = 1; n <= 3; ++n) {
        auto slide = presentation->GetSlides()->Add(n, ppLayoutBlank);
        auto notes = slide->GetNotesPage()->GetShapes()->GetPlaceholders()->Item(2)->GetTextFrame()->GetTextRange();
        auto header = slide->GetShapes()->AddLabel(msoTextOrientationHorizontal, 75, 10, 101, 36);
        auto body = addBody(slide);
        auto text = textOf(body);
        const std::u16string number = u16(std::to_string(n));
        writeLine(text, u"Heading" + number, 1, u"Arial", 26, true, false);
        const int fontStart = text->GetLength() + 1;
        writeLine(text, u"Serif body text of slide " + number, fontStart, u"Times New Roman", 20, false, n == 2);
        writeLine(text, u"Second line", fontStart, u"Times New Roman", 20, false, n == 2, false);
        text->Paragraphs(1, 1)->GetParagraphFormat()->PutAlignment(ppAlignCenter);
        if (n == 1) {
            text->InsertAfter(u"\r");
            auto link = text->InsertAfter(u"Website");
            link->GetActionSettings()->Item(ppMouseClick)->GetHyperlink()->PutAddress(u"http://www.example.com/");
        }
        if (n == 2) {
            text->InsertAfter(u"\r");
            auto jump = text->InsertAfter(u"JumpToThree");
            jump->GetActionSettings()->Item(ppMouseClick)->GetHyperlink()->PutSubAddress(u"258,3,");
        }
        notes->InsertAfter(u"NotesFor" + number);
        textOf(header)->InsertAfter(u"Page" + number);
        auto hf = slide->GetHeadersFooters();
        hf->GetSlideNumber()->PutVisible(msoFalse);
        hf->GetFooter()->PutVisible(msoTrue);
        hf->GetSlideNumber()->PutVisible(msoTrue);
        hf->GetDateAndTime()->PutFormat(ppDateTimeMdyy);
        hf->GetDateAndTime()->PutText(u"12/24/2025");
        hf->GetDateAndTime()->PutUseFormat(msoFalse);
        hf->GetDateAndTime()->PutVisible(msoTrue);
        hf->GetFooter()->PutText(u"FooterText");
    }
    // The slides, then the notes pages LibreOffice exports after them.
    const auto deckPath = save("generated.pptx");
    const auto pdf = render(
        deckPath, "pdf:impress_pdf_Export:{\"ExportNotesPages\":{\"type\":\"boolean\",\"value\":\"true\"}}");
    ASSERT_FALSE(pdf.empty());
    ASSERT_EQ(testenv::pdfPageCount(pdf), 6);
    const auto pages = deck::pdfWords(pdf);
    ASSERT_EQ(pages.size(), 6u);
    for (int n = 1; n <= 3; ++n) {
        const auto& words = pages[static_cast<std::size_t>(n) - 1];
        const std::string number = std::to_string(n);
        for (const std::string& expected : std::vector<std::string>{"Page" + number, "Heading" + number, "Serif", "FooterText", "12/24/2025", number})
            EXPECT_NE(deck::findWord(words, expected), nullptr) << "slide " << n << " lacks " << expected;
        // Labels start 0.1" and 0.05" inside their boxes.
        const deck::Word* header = deck::findWord(words, "Page" + number);
        ASSERT_NE(header, nullptr);
        EXPECT_NEAR(header->xMin, 82.2, 2.0);
        EXPECT_NEAR(header->yMin, 13.6, 3.0);
        const deck::Word* serif = deck::findWord(words, "Serif");
        ASSERT_NE(serif, nullptr);
        EXPECT_NEAR(serif->xMin, n == 2 ? 82.2 + 27 : 82.2, 2.0);  // bullets indent the text
        const deck::Word* heading = deck::findWord(words, "Heading" + number);
        ASSERT_NE(heading, nullptr);
        EXPECT_NEAR(heading->yMin, 58.6, 3.0);
        if (n != 2) {
            EXPECT_NEAR((heading->xMin + heading->xMax) / 2, 375.0, 3.0);  // centred in the body box
        }
    }
    // Notes are on the notes slides, and on the notes pages.
    auto parts = deck::readParts(deckPath);
    for (int n = 1; n <= 3; ++n) {
        auto notes = deck::paragraphs(parts["ppt/notesSlides/notesSlide" + std::to_string(n) + ".xml"]);
        EXPECT_NE(std::find(notes.begin(), notes.end(), "NotesFor" + std::to_string(n)), notes.end());
        EXPECT_NE(testenv::pdfText(pdf, n + 3).find("NotesFor" + std::to_string(n)), std::string::npos);
    }
    // The jump on slide 2 lands on slide 3: LibreOffice exports it as a link
    // annotation on page 2 whose destination is page 3 (twice, when it
    // exports notes pages too).
    const std::string pdfBytes = testenv::readFile(pdf);
    const auto pageObjects = pdfPageObjects(pdfBytes);
    ASSERT_EQ(pageObjects.size(), 6u);
    const auto destinations = pdfLinkDestinations(pdfBytes, pageObjects[1]);
    EXPECT_FALSE(destinations.empty());
    for (int destination : destinations) EXPECT_EQ(destination, pageObjects[2]);
    EXPECT_NE(pdfBytes.find("http://www.example.com/"), std::string::npos);

    // Kept beside the build for a look at the slides.
    std::error_code ignored;
    fs::copy_file(pdf, fs::path(ORVEL_BINARY_DIR) / "presentation-render.pdf", fs::copy_options::overwrite_existing, ignored);
    testenv::runCommand("pdftoppm -png -r 60 -f 1 -l 2 " + testenv::shellQuote(pdf.string()) + " " +
                        testenv::shellQuote((fs::path(ORVEL_BINARY_DIR) / "presentation-render").string()));
}

// A line as LibreOffice lays it out, rebuilt from pdftotext's word boxes:
// poppler draws a word 0.95 of its size above the baseline and 0.35 below;
// the line itself reaches one size above the baseline and 0.2 below.
struct LineBox {
    double top, bottom;
};
LineBox lineBoxOf(const deck::Word& w)
{
    const double size = (w.yMax - w.yMin) / 1.3;
    const double baseline = w.yMin + 0.95 * size;
    return {baseline - size, baseline + 0.2 * size};
}

struct LayoutCase {
    std::string name;
    bool wrap;
    std::function<void(const ComPtr<TextRange>&)> fill;
};

TEST_F(RenderTest, BoundHeightAgreesWithLibreOffice)
{
    const std::u16string prose =
        u"The quick brown fox jumps over the lazy dog while seven wizards quietly box jumping frogs, "
        u"and the committee reviews every quarterly figure twice before lunch on a grey Tuesday morning.";
    auto font = [](const ComPtr<TextRange>& r, const std::u16string& name, float size, bool bold) {
        auto f = r->GetFont();
        f->PutName(name);
        f->PutSize(size);
        f->PutBold(bold ? msoTrue : msoFalse);
    };
    std::vector<LayoutCase> cases = {
        {"serif 20 wrapped", true,
         [&](const ComPtr<TextRange>& r) {
             r->InsertAfter(prose + u"\r" + prose + u" Pneumonoultramicroscopicsilicovolcanoconiosis"
                                                    u"Pneumonoultramicroscopicsilicovolcanoconiosis");
             font(r, u"Times New Roman", 20, false);
         }},
        {"sans 26 bold wrapped", true,
         [&](const ComPtr<TextRange>& r) {
             r->InsertAfter(prose + u"\r\r" + prose);
             font(r, u"Arial", 26, true);
         }},
        {"mixed sizes wrapped", true,
         [&](const ComPtr<TextRange>& r) {
             r->InsertAfter(u"Small first paragraph of twelve point text\r");
             font(r->Paragraphs(1, 1), u"Arial", 12, false);
             auto second = r->InsertAfter(u"A large serif paragraph that is long enough to wrap onto a second line\r");
             font(second, u"Times New Roman", 32, false);
             auto third = r->InsertAfter(prose);
             font(third, u"Arial", 14, false);
             font(third->Characters(5, 11), u"Arial", 28, true);  // "quick brown" larger on the first line
         }},
        {"serif 20 unwrapped", false,
         [&](const ComPtr<TextRange>& r) {
             r->InsertAfter(u"One line that is far too long to fit in the box but is never wrapped at all\rTwo\rThree");
             font(r, u"Times New Roman", 20, false);
         }},
        {"almost full body", true,
         [&](const ComPtr<TextRange>& r) {
             for (int i = 0; i < 16; ++i) r->InsertAfter(u"Line number " + u16(std::to_string(i + 1)) + u" of the body\r");
             r->InsertAfter(u"Last line");
             font(r, u"Times New Roman", 20, false);
         }},
    };
    std::vector<float> heights;
    for (const auto& c : cases) {
        auto slide = addSlide();
        ComPtr<Shape> shape = c.wrap ? addBody(slide)
                                     : slide->GetShapes()->AddLabel(msoTextOrientationHorizontal, 75, 55, 600, 420);
        auto range = textOf(shape);
        c.fill(range);
        heights.push_back(range->GetBoundHeight());
    }
    const auto pdf = render(save("layout.pptx"));
    ASSERT_FALSE(pdf.empty());
    const auto pages = deck::pdfWords(pdf);
    ASSERT_EQ(pages.size(), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const auto& words = pages[i];
        ASSERT_FALSE(words.empty());
        double top = 1e9, bottom = -1e9, right = -1e9;
        for (const auto& w : words) {
            if (w.yMin > 480) continue;  // nothing but the body on these slides
            const LineBox line = lineBoxOf(w);
            top = std::min(top, line.top);
            bottom = std::max(bottom, line.bottom);
            right = std::max(right, w.xMax);
        }
        const double rendered = bottom - top;
        EXPECT_NEAR(heights[i], rendered, rendered * 0.05) << cases[i].name;
        std::cout << cases[i].name << ": BoundHeight " << heights[i] << ", LibreOffice " << rendered << "\n";
        if (cases[i].wrap && heights[i] < 420) {
            EXPECT_LE(bottom, 55 + 420 + 0.5) << cases[i].name;
            EXPECT_LE(right, 75 + 600 + 0.5) << cases[i].name;
        }
    }
}

}  // namespace
}  // namespace ppttest
