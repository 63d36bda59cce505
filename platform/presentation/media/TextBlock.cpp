#include "media/TextBlock.h"

#include <algorithm>
#include <cmath>

#include "media/PictureDecode.h"
#include "office/package/Unicode.h"
#include "office/text/FontCatalog.h"

namespace pptmedia {
namespace {

constexpr double kFit = 1e-6;
constexpr double kPlaceholderPt = 36;
constexpr double kPixelsPerPoint = 2;  // 144 dpi: sharp enough on a slide, small in the file

office::Font& fontOf(const EmfFont& font)
{
    return office::FontCatalog::instance().font(font.name.empty() ? kPreviewFont : font.name, font.bold, font.italic);
}

// Characters are placed one by one, as the EMF text record draws them: a
// tab is four spaces wide, other control characters take no room.
double advanceOf(char32_t c, const EmfFont& font)
{
    if (c == U'\t') return 4 * advanceOf(U' ', font);
    if (c < 0x20 || c == 0x7F) return 0;
    return fontOf(font).advance(c) * font.sizePt;
}

// A piece of one span's text with the advance of every character.
struct Part {
    std::size_t span = 0;
    std::u32string text;
    std::vector<double> advances;
    double width = 0;
};

// A word with the spaces that follow it: lines break only between words.
struct Word {
    std::vector<Part> parts;
    double contentWidth = 0;
    double trailingWidth = 0;
    bool breakAfter = false;  // a '\n' follows
};

struct Line {
    std::vector<Part> parts;
    double width = 0;         // including the spaces after the last word
    double contentWidth = 0;  // without them
};

bool isSpace(char32_t c)
{
    return c == U' ' || c == U'\t';
}

void addChar(Word& word, std::size_t span, char32_t c, double advance)
{
    if (word.parts.empty() || word.parts.back().span != span) word.parts.push_back({span, {}, {}, 0});
    Part& part = word.parts.back();
    part.text += c;
    part.advances.push_back(advance);
    part.width += advance;
}

std::vector<Word> splitWords(const BlockParagraph& paragraph)
{
    std::vector<Word> words;
    Word word;
    bool inSpaces = false, started = false;
    auto finish = [&](bool breakAfter) {
        word.breakAfter = breakAfter;
        if (started || breakAfter) words.push_back(std::move(word));
        word = Word();
        inSpaces = false;
        started = false;
    };
    for (std::size_t s = 0; s < paragraph.spans.size(); ++s) {
        const StyledSpan& span = paragraph.spans[s];
        for (char32_t c : office::utf8ToUtf32(span.text)) {
            if (c == U'\n' || c == U'\r' || c == U'\v') {
                finish(true);
                continue;
            }
            double advance = advanceOf(c, span.font);
            if (isSpace(c)) {
                addChar(word, s, c, advance);
                word.trailingWidth += advance;
                inSpaces = true;
                started = true;
                continue;
            }
            if (inSpaces) finish(false);
            addChar(word, s, c, advance);
            word.contentWidth += advance;
            started = true;
        }
    }
    if (started) finish(false);
    return words;
}

void append(Line& line, const Part& part)
{
    if (!line.parts.empty() && line.parts.back().span == part.span) {
        Part& last = line.parts.back();
        last.text += part.text;
        last.advances.insert(last.advances.end(), part.advances.begin(), part.advances.end());
        last.width += part.width;
    } else {
        line.parts.push_back(part);
    }
}

std::vector<Line> breakLines(const std::vector<Word>& words, double wrapWidth)
{
    std::vector<Line> lines;
    Line line;
    bool pendingEmpty = true;  // a paragraph always has at least one line
    for (const Word& word : words) {
        if (!line.parts.empty() && line.width + word.contentWidth > wrapWidth + kFit) {
            lines.push_back(std::move(line));
            line = Line();
        }
        if (line.parts.empty() && word.contentWidth > wrapWidth + kFit) {
            // Too wide for any line: break between characters.
            for (const Part& part : word.parts) {
                for (std::size_t i = 0; i < part.text.size(); ++i) {
                    double a = part.advances[i];
                    bool space = isSpace(part.text[i]);
                    if (!space && !line.parts.empty() && line.width + a > wrapWidth + kFit) {
                        lines.push_back(std::move(line));
                        line = Line();
                    }
                    append(line, Part{part.span, std::u32string(1, part.text[i]), {a}, a});
                    line.width += a;
                    if (!space) line.contentWidth = line.width;
                }
            }
        } else {
            for (const Part& part : word.parts) append(line, part);
            line.contentWidth = line.width + word.contentWidth;
            line.width += word.contentWidth + word.trailingWidth;
        }
        pendingEmpty = false;
        if (word.breakAfter) {
            lines.push_back(std::move(line));
            line = Line();
            pendingEmpty = true;
        }
    }
    if (!line.parts.empty() || pendingEmpty) lines.push_back(std::move(line));
    return lines;
}

PlacedSpan placeSpan(const Part& part, const EmfFont& font, double x)
{
    PlacedSpan placed;
    placed.font = font;
    placed.x = x;
    for (std::size_t i = 0; i < part.text.size(); ++i) {
        char32_t c = part.text[i];
        if (c < 0x20 || c == 0x7F) c = U' ';
        std::u16string units = office::utf32ToUtf16(std::u32string_view(&c, 1));
        placed.text += units;
        placed.advances.push_back(part.advances[i]);
        if (units.size() == 2) placed.advances.push_back(0);
    }
    return placed;
}

PlacedSpan placeBullet(const StyledSpan& bullet)
{
    Part part;
    for (char32_t c : office::utf8ToUtf32(bullet.text)) {
        part.text += c;
        part.advances.push_back(advanceOf(c, bullet.font));
    }
    return placeSpan(part, bullet.font, 0);
}

}  // namespace

double lineHeightPt(const EmfFont& font)
{
    return fontOf(font).metrics().lineHeight * font.sizePt;
}

TextBlock layoutTextBlock(const std::vector<BlockParagraph>& paragraphs, double wrapWidthPt)
{
    TextBlock block;
    double wrap = std::max(wrapWidthPt, 1.0);
    double top = 0;
    for (const BlockParagraph& paragraph : paragraphs) {
        top += paragraph.spaceBeforePt;
        double spacing = std::clamp(paragraph.lineSpacing, 0.25, 10.0);
        const double indent = std::clamp(paragraph.indentPt, 0.0, wrap - 1.0);
        const double textWrap = wrap - indent;
        bool firstLine = true;
        for (const Line& line : breakLines(splitWords(paragraph), textWrap)) {
            double ascent = 0, height = 0;
            auto account = [&](const EmfFont& font) {
                const office::FontMetrics& m = fontOf(font).metrics();
                ascent = std::max(ascent, m.ascent * font.sizePt);
                height = std::max(height, m.lineHeight * font.sizePt);
            };
            const bool bulleted = firstLine && !paragraph.bullet.text.empty();
            if (line.parts.empty()) account(paragraph.emptyFont);
            for (const Part& part : line.parts) account(paragraph.spans[part.span].font);
            if (bulleted) account(paragraph.bullet.font);

            double offset = indent;
            if (paragraph.alignment == DocxAlignment::Centre)
                offset += std::max(0.0, (textWrap - line.contentWidth) / 2);
            else if (paragraph.alignment == DocxAlignment::Right)
                offset += std::max(0.0, textWrap - line.contentWidth);
            PlacedLine placed;
            placed.baseline = top + ascent;
            placed.width = line.contentWidth;
            if (bulleted) placed.spans.push_back(placeBullet(paragraph.bullet));
            firstLine = false;
            double x = offset;
            for (const Part& part : line.parts) {
                placed.spans.push_back(placeSpan(part, paragraph.spans[part.span].font, x));
                x += part.width;
            }
            block.widthPt = std::max(block.widthPt, indent + line.contentWidth);
            block.lines.push_back(std::move(placed));
            top += height * spacing;
        }
        for (const DocxPicture& picture : paragraph.pictures) {
            double w = picture.widthPt > 0 ? picture.widthPt : kPlaceholderPt;
            double h = picture.heightPt > 0 ? picture.heightPt : kPlaceholderPt;
            if (w > wrap) {
                h *= wrap / w;
                w = wrap;
            }
            block.pictures.push_back({0, top, w, h, picture.bytes});
            block.widthPt = std::max(block.widthPt, w);
            top += h;
        }
        top += paragraph.spaceAfterPt;
    }
    block.heightPt = top;
    return block;
}

double unwrappedWidth(const std::vector<BlockParagraph>& paragraphs)
{
    double widest = 0;
    for (const BlockParagraph& paragraph : paragraphs) {
        for (const Line& line : breakLines(splitWords(paragraph), 1e12))
            widest = std::max(widest, std::max(paragraph.indentPt, 0.0) + line.contentWidth);
        for (const DocxPicture& picture : paragraph.pictures)
            widest = std::max(widest, picture.widthPt > 0 ? picture.widthPt : kPlaceholderPt);
    }
    return widest;
}

void drawTextBlock(EmfWriter& emf, const TextBlock& block, double x, double y, EmfColour colour, double clipBottom)
{
    for (const PlacedPicture& picture : block.pictures) {
        if (y + picture.y + picture.height > clipBottom) break;
        double px = x + picture.x, py = y + picture.y;
        if (picture.bytes) {
            auto pixelsFor = [](double pt) { return static_cast<int>(std::ceil(pt * kPixelsPerPoint)); };
            if (auto pixels = decodePicture(*picture.bytes, pixelsFor(picture.width), pixelsFor(picture.height))) {
                emf.bitmap(px, py, picture.width, picture.height, *pixels);
                continue;
            }
        }
        // What cannot be drawn keeps its place as a crossed box.
        const EmfColour fill{0xE8, 0xE8, 0xE8}, edge{0x80, 0x80, 0x80};
        emf.fillRect(px, py, picture.width, picture.height, fill);
        emf.frameRect(px, py, picture.width, picture.height, 0.5, edge);
        emf.line(px, py, px + picture.width, py + picture.height, 0.5, edge);
        emf.line(px, py + picture.height, px + picture.width, py, 0.5, edge);
    }
    for (const PlacedLine& line : block.lines) {
        if (y + line.baseline > clipBottom) break;
        for (const PlacedSpan& span : line.spans) emf.text(x + span.x, y + line.baseline, span.text, span.advances, span.font, colour);
    }
}

}  // namespace pptmedia
