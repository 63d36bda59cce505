#include <algorithm>

#include "media/EmfWriter.h"
#include "media/Preview.h"
#include "media/TextBlock.h"

namespace pptmedia {
namespace {

constexpr EmfColour kLabelFrame{0x60, 0x60, 0x60}, kPage{0xF0, 0xF0, 0xF0};
constexpr double kHeightPt = 48, kPadPt = 10, kIconWidthPt = 22, kIconHeightPt = 28, kFontPt = 11;
constexpr double kMinWidthPt = 144, kMaxWidthPt = 432;

std::string baseName(const std::string& path)
{
    auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

Preview drawFilePreview(const std::string& fileName)
{
    EmfFont font;
    font.sizePt = kFontPt;
    std::string name = baseName(fileName);
    if (name.empty()) name = fileName;

    double textLeft = kPadPt + kIconWidthPt + kPadPt;
    double maxText = kMaxWidthPt - textLeft - kPadPt;
    BlockParagraph paragraph;
    paragraph.spans.push_back({name, font});
    paragraph.emptyFont = font;
    double textWidth = std::min(unwrappedWidth({paragraph}), maxText);
    double width = std::max(kMinWidthPt, textLeft + textWidth + kPadPt);
    TextBlock block = layoutTextBlock({paragraph}, maxText);
    double height = std::max(kHeightPt, block.heightPt + 2 * kPadPt);

    EmfWriter emf(width, height);
    emf.fillRect(0, 0, width, height, kEmfWhite);
    emf.frameRect(0.5, 0.5, width - 1, height - 1, 1, kLabelFrame);
    // A page with a folded corner stands for "a file".
    double ix = kPadPt, iy = (height - kIconHeightPt) / 2, fold = 7;
    emf.fillRect(ix, iy, kIconWidthPt, kIconHeightPt, kPage);
    emf.line(ix, iy, ix + kIconWidthPt - fold, iy, 0.75, kLabelFrame);
    emf.line(ix + kIconWidthPt - fold, iy, ix + kIconWidthPt, iy + fold, 0.75, kLabelFrame);
    emf.line(ix + kIconWidthPt, iy + fold, ix + kIconWidthPt, iy + kIconHeightPt, 0.75, kLabelFrame);
    emf.line(ix + kIconWidthPt, iy + kIconHeightPt, ix, iy + kIconHeightPt, 0.75, kLabelFrame);
    emf.line(ix, iy + kIconHeightPt, ix, iy, 0.75, kLabelFrame);
    emf.line(ix + kIconWidthPt - fold, iy, ix + kIconWidthPt - fold, iy + fold, 0.75, kLabelFrame);
    emf.line(ix + kIconWidthPt - fold, iy + fold, ix + kIconWidthPt, iy + fold, 0.75, kLabelFrame);

    drawTextBlock(emf, block, textLeft, (height - block.heightPt) / 2, kEmfBlack);
    return {emf.finish(std::u16string(u"Orvel\0file", 10)), width, height};
}

}  // namespace pptmedia
