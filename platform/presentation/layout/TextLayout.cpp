#include "layout/TextLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <unordered_map>

#include "com/ComString.h"
#include "model/TextFormat.h"
#include "office/text/FontCatalog.h"

namespace ppt {
namespace {

// The font of a run, by its interned name and style: a word's lookup must
// not build a family name.
office::Font& fontOf(const CharFormat& f)
{
    static std::unordered_map<std::uint32_t, office::Font*> byStyle;
    const std::uint32_t key = (static_cast<std::uint32_t>(f.font) << 2) | (f.bold ? 2u : 0u) | (f.italic ? 1u : 0u);
    if (auto it = byStyle.find(key); it != byStyle.end()) return *it->second;
    const std::string family = com::utf16ToUtf8(FontNames::instance().name(f.font));
    office::Font& font = office::FontCatalog::instance().font(family, f.bold, f.italic);
    byStyle.emplace(key, &font);
    return font;
}

bool isBreakingSpace(char16_t c) { return c == u' ' || c == u'\t' || isLineBreak(c) || c == 0x3000; }

double widthOf(office::Font& font, std::u16string_view text) { return font.width(text); }
double widthOf(office::Font& font, std::string_view latin1) { return font.widthLatin1(latin1); }

// Text is the body's text as stored: std::string_view (Latin-1) or std::u16string_view.
template <class Text>
class LineBuilder {
public:
    LineBuilder(Text text, const TextBody& body, int paragraph, const FrameGeometry& frame,
                std::vector<LaidOutLine>& lines)
        : text_(text), runs_(body.chars()), lines_(lines)
    {
        lines_.clear();
        start_ = body.paragraphStart(paragraph);
        end_ = body.paragraphEnd(paragraph);
        indent_ = body.paras().at(paragraph).bullet ? kBulletIndent : 0.0f;
        wrap_ = frame.wrap;
        available_ = std::max(1.0f, frame.wrapWidth - indent_);
        runIndex_ = runs_.indexOf(start_);
    }

    void run()
    {
        line_.start = start_;
        int pos = start_;
        while (pos < end_) {
            const char16_t c = unit(pos);
            if (isLineBreak(c)) {
                addSpaceLike(pos, 0);
                finishLine(pos + 1);
                ++pos;
            } else if (c == u'\t') {
                const float x = lineWidth_ + pending_;
                const float next = (std::floor(x / kTabStop) + 1) * kTabStop;
                if (wrap_ && hasContent_ && next > available_) finishLine(pos);
                const float from = lineWidth_ + pending_;
                addSpaceLike(pos, 0);
                lineWidth_ = (std::floor(from / kTabStop) + 1) * kTabStop;
                pending_ = 0;
                hasContent_ = true;
                ++pos;
            } else if (isBreakingSpace(c)) {
                const CharFormat& f = formatAt(pos);
                addSpaceLike(pos, static_cast<float>(widthOf(fontOf(f), text_.substr(static_cast<std::size_t>(pos), 1)) * f.size));
                ++pos;
            } else {
                int wordEnd = pos;
                while (wordEnd < end_ && !isBreakingSpace(unit(wordEnd))) ++wordEnd;
                addWord(pos, wordEnd);
                pos = wordEnd;
            }
        }
        // The last line; an empty paragraph takes the font of its paragraph end.
        if (!hasMetrics_) noteFont(formatAt(end_));
        line_.end = end_;
        line_.width = lineWidth_ + indent_;
        lines_.push_back(line_);
    }

private:
    char16_t unit(int pos) const { return latin1Unit(text_[static_cast<std::size_t>(pos)]); }

    const CharFormat& formatAt(int pos)
    {
        while (runIndex_ + 1 < runs_.runCount() && runs_.run(runIndex_ + 1).start <= pos) ++runIndex_;
        return runs_.run(runIndex_).value;
    }

    void noteFont(const CharFormat& f)
    {
        line_.ascent = std::max(line_.ascent, kLineAscent * f.size);
        line_.descent = std::max(line_.descent, (kLineHeight - kLineAscent) * f.size);
        hasMetrics_ = true;
    }

    void addSpaceLike(int pos, float width)
    {
        noteFont(formatAt(pos));
        pending_ += width;
    }

    void finishLine(int nextStart)
    {
        if (!hasMetrics_) noteFont(formatAt(nextStart < end_ ? nextStart : end_));
        line_.end = nextStart;
        line_.width = lineWidth_ + indent_;
        lines_.push_back(line_);
        line_ = LaidOutLine{};
        line_.start = nextStart;
        lineWidth_ = 0;
        pending_ = 0;
        hasContent_ = false;
        hasMetrics_ = false;
    }

    // Measures [from, to) piece by piece, one piece per formatting run.
    float measure(int from, int to)
    {
        double width = 0;
        int pos = from;
        while (pos < to) {
            const CharFormat& f = formatAt(pos);
            const int pieceEnd = std::min(to, runs_.runEnd(runIndex_));
            width += widthOf(fontOf(f), text_.substr(static_cast<std::size_t>(pos),
                                                     static_cast<std::size_t>(pieceEnd - pos))) *
                     f.size;
            pos = pieceEnd;
        }
        return static_cast<float>(width);
    }

    void noteFonts(int from, int to)
    {
        int pos = from;
        while (pos < to) {
            noteFont(formatAt(pos));
            pos = std::min(to, runs_.runEnd(runIndex_));
        }
    }

    void addWord(int from, int to)
    {
        const std::size_t runBefore = runIndex_;
        const float width = measure(from, to);
        runIndex_ = runBefore;
        if (wrap_ && hasContent_ && lineWidth_ + pending_ + width > available_) finishLine(from);
        if (wrap_ && width > available_) {
            addLongWord(from, to);
            return;
        }
        noteFonts(from, to);
        lineWidth_ += pending_ + width;
        pending_ = 0;
        hasContent_ = true;
    }

    // A word wider than the line: break it between characters.
    void addLongWord(int from, int to)
    {
        for (int pos = from; pos < to;) {
            int next = pos + 1;
            if (next < to && (unit(pos) & 0xFC00) == 0xD800) ++next;  // keep pairs
            const std::size_t runBefore = runIndex_;
            const float w = measure(pos, next);
            runIndex_ = runBefore;
            if (hasContent_ && lineWidth_ + pending_ + w > available_) finishLine(pos);
            noteFonts(pos, next);
            lineWidth_ += pending_ + w;
            pending_ = 0;
            hasContent_ = true;
            pos = next;
        }
    }

    Text text_;
    const RunMap<CharFormat>& runs_;
    int start_ = 0, end_ = 0;
    float indent_ = 0;
    bool wrap_ = false;
    float available_ = 0;
    std::size_t runIndex_ = 0;

    std::vector<LaidOutLine>& lines_;
    LaidOutLine line_;
    float lineWidth_ = 0;  // up to the last word, trailing spaces excluded
    float pending_ = 0;    // spaces since the last word
    bool hasContent_ = false;
    bool hasMetrics_ = false;
};

// The lines of a paragraph laid out again, in a buffer kept per thread: a
// paragraph is measured each time text is appended to it.
void buildLines(const TextBody& body, int paragraph, const FrameGeometry& frame, std::vector<LaidOutLine>& lines)
{
    body.text().visit([&](auto text) { LineBuilder(text, body, paragraph, frame, lines).run(); });
}

const std::vector<LaidOutLine>& scratchLines(const TextBody& body, int paragraph, const FrameGeometry& frame)
{
    thread_local std::vector<LaidOutLine> lines;
    buildLines(body, paragraph, frame, lines);
    return lines;
}

}  // namespace

std::vector<LaidOutLine> layoutLines(const TextBody& body, int paragraph, const FrameGeometry& frame)
{
    std::vector<LaidOutLine> lines;
    buildLines(body, paragraph, frame, lines);
    return lines;
}

ParagraphMetrics layoutParagraph(const TextBody& body, int paragraph, const FrameGeometry& frame)
{
    ParagraphMetrics metrics;
    for (const LaidOutLine& line : scratchLines(body, paragraph, frame)) {
        metrics.height += line.height();
        metrics.width = std::max(metrics.width, line.width);
    }
    return metrics;
}

float layoutLinesHeight(const TextBody& body, int paragraph, const FrameGeometry& frame, int from, int to)
{
    float height = 0;
    for (const LaidOutLine& line : scratchLines(body, paragraph, frame)) {
        const bool touches = to > from ? line.start < to && line.end > from : line.start <= from && from <= line.end;
        if (touches) height += line.height();
    }
    return height;
}

}  // namespace ppt
