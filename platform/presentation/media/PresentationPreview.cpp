#include <algorithm>

#include "media/EmfWriter.h"
#include "media/Preview.h"
#include "media/TextBlock.h"
#include "template/PptxDeck.h"

namespace pptmedia {
namespace {

constexpr EmfColour kSlideFrame{0x80, 0x80, 0x80};
constexpr double kMarginPt = 36, kGapPt = 12;
constexpr double kDefaultSizePt = 18;  // PowerPoint's size for text that states none
// The bullet character and the hanging indent the deck's bulleted paragraphs carry.
constexpr const char* kBullet = "\u2022";
constexpr double kBulletIndentPt = 27;

DocxAlignment alignmentOf(int code)
{
    switch (code) {
    case 2: return DocxAlignment::Centre;
    case 3: return DocxAlignment::Right;
    case 4: return DocxAlignment::Justify;
    default: return DocxAlignment::Left;
    }
}

std::vector<BlockParagraph> paragraphsOf(const PptxShape& shape)
{
    std::vector<BlockParagraph> blocks;
    for (const PptxParagraph& p : shape.paragraphs) {
        BlockParagraph block;
        block.alignment = alignmentOf(p.alignment);
        block.emptyFont.name = kPreviewFont;
        block.emptyFont.sizePt = kDefaultSizePt;
        for (const PptxRun& run : p.runs) {
            EmfFont font;
            font.name = run.fontName.empty() || run.fontName.front() == '+' ? kPreviewFont : run.fontName;
            font.sizePt = run.sizePt > 0 ? run.sizePt : kDefaultSizePt;
            font.bold = run.bold;
            font.italic = run.italic;
            font.underline = run.underline;
            font.strike = run.strike;
            block.emptyFont = font;
            block.spans.push_back({run.text, font});
        }
        if (p.bullet && !p.text().empty()) {  // an empty paragraph shows no bullet
            block.bullet = {kBullet, block.emptyFont};
            block.indentPt = kBulletIndentPt;
        }
        blocks.push_back(std::move(block));
    }
    return blocks;
}

}  // namespace

Preview drawPresentationPreview(const PptxDeck& deck)
{
    double width = deck.slideWidthPt > 0 ? deck.slideWidthPt : 720;
    double height = deck.slideHeightPt > 0 ? deck.slideHeightPt : 540;
    EmfWriter emf(width, height);
    emf.fillRect(0, 0, width, height, kEmfWhite);
    emf.frameRect(0.5, 0.5, width - 1, height - 1, 1, kSlideFrame);

    if (!deck.slides.empty()) {
        std::vector<const PptxShape*> shapes;
        for (const PptxShape& shape : deck.slides.front().shapes)
            if (!shape.text().empty()) shapes.push_back(&shape);
        std::stable_sort(shapes.begin(), shapes.end(), [](const PptxShape* a, const PptxShape* b) {
            return a->topPt != b->topPt ? a->topPt < b->topPt : a->leftPt < b->leftPt;
        });
        double y = kMarginPt, bottom = height - kMarginPt / 2;
        for (const PptxShape* shape : shapes) {
            if (y >= bottom) break;
            TextBlock block = layoutTextBlock(paragraphsOf(*shape), width - 2 * kMarginPt);
            drawTextBlock(emf, block, kMarginPt, y, kEmfBlack, bottom);
            y += block.heightPt + kGapPt;
        }
    }
    return {emf.finish(std::u16string(u"Orvel\0presentation", 18)), width, height};
}

}  // namespace pptmedia
