#include "model/TextBody.h"

#include <algorithm>

#include "model/Growth.h"

namespace ppt {

TextBody::TextBody(const CharFormat& initial) : chars_(initial)
{
    paragraphs_.push_back({});
    markDirty(0);
}

int TextBody::paragraphAt(int pos) const
{
    auto it = std::upper_bound(paragraphs_.begin(), paragraphs_.end(), pos,
                               [](int p, const Paragraph& paragraph) { return p < paragraph.start; });
    return static_cast<int>(it - paragraphs_.begin()) - 1;
}

void TextBody::insert(int pos, std::u16string_view s)
{
    if (s.empty()) return;
    pos = std::clamp(pos, 0, length());
    const bool atEnd = pos == length();
    const int count = static_cast<int>(s.size());
    const int para = paragraphAt(pos);
    const auto added = static_cast<int>(std::count(s.begin(), s.end(), u'\r'));

    // Room first: a body that runs out of memory is left as it was.
    makeRoom(paragraphs_, paragraphs_.size() + static_cast<std::size_t>(added));
    text_.insert(static_cast<std::size_t>(pos), s);
    chars_.insertGap(pos, count, atEnd);

    // Paragraph starts after pos move right; each "\r" in s opens a new one.
    auto after = paragraphs_.begin() + para + 1;
    for (auto it = after; it != paragraphs_.end(); ++it) it->start += count;
    if (added > 0) {
        auto start = paragraphs_.insert(after, static_cast<std::size_t>(added), Paragraph{});
        for (int i = 0; i < count; ++i)
            if (s[static_cast<std::size_t>(i)] == u'\r') (start++)->start = pos + i + 1;
        paras_.insertGap(para + 1, added);
        if (para + 1 < paragraphCount() - added) {
            // Paragraphs after the insertion moved: renumber the dirty list.
            auto moved = [&](int p) { return p > para ? p + added : p; };
            firstDirty_ = moved(firstDirty_);
            lastDirty_ = moved(lastDirty_);
            for (int p = firstDirty_; p != kNone; p = paragraphs_[static_cast<std::size_t>(p)].nextDirty) {
                int& next = paragraphs_[static_cast<std::size_t>(p)].nextDirty;
                next = moved(next);
            }
        }
        for (int p = para + 1; p <= para + added; ++p) markDirty(p);
    }
    markDirty(para);
}

void TextBody::charsChanged(int from, int to)
{
    to = std::min(to, length());
    const int first = paragraphAt(from);
    const int last = paragraphAt(std::max(from, to - 1));
    for (int p = first; p <= last; ++p) markDirty(p);
}

void TextBody::paragraphsChanged(int first, int last)
{
    last = std::min(last, paragraphCount());
    for (int p = first; p < last; ++p) markDirty(p);
}

void TextBody::markDirty(int paragraph)
{
    Paragraph& p = paragraphs_[static_cast<std::size_t>(paragraph)];
    if (p.nextDirty != kClean) return;
    total_ -= p.metrics.height;
    p.metrics = {};
    p.nextDirty = kNone;
    if (lastDirty_ == kNone)
        firstDirty_ = paragraph;
    else
        paragraphs_[static_cast<std::size_t>(lastDirty_)].nextDirty = paragraph;
    lastDirty_ = paragraph;
}

void TextBody::setFrame(const FrameGeometry& frame)
{
    if (frame == frame_) return;
    frame_ = frame;
    for (int p = 0; p < paragraphCount(); ++p) markDirty(p);
}

void TextBody::refresh()
{
    // Each paragraph leaves the list once measured: a layout that runs out
    // of memory leaves the rest waiting.
    while (firstDirty_ != kNone) {
        Paragraph& paragraph = paragraphs_[static_cast<std::size_t>(firstDirty_)];
        paragraph.metrics = layoutParagraph(*this, firstDirty_, frame_);
        firstDirty_ = paragraph.nextDirty;
        paragraph.nextDirty = kClean;
        total_ += paragraph.metrics.height;
    }
    lastDirty_ = kNone;
}

float TextBody::totalHeight()
{
    refresh();
    return static_cast<float>(total_);
}

float TextBody::widestLine()
{
    refresh();
    float widest = 0;
    for (const Paragraph& p : paragraphs_) widest = std::max(widest, p.metrics.width);
    return widest;
}

float TextBody::boundHeight(int from, int to)
{
    from = std::clamp(from, 0, length());
    to = std::clamp(to, from, length());
    const int lastParagraph = paragraphCount() - 1;
    const bool endsEmpty = paragraphStart(lastParagraph) == length();
    const bool reachesEnd = to == length();
    if (from == 0 && reachesEnd) {
        const float all = totalHeight();
        return endsEmpty ? all - paragraphs_[static_cast<std::size_t>(lastParagraph)].metrics.height : all;
    }
    refresh();
    const int first = paragraphAt(from);
    int last = paragraphAt(to > from ? to - 1 : from);
    if (reachesEnd && endsEmpty && last == lastParagraph) --last;
    double height = 0;
    for (int p = first; p <= last; ++p) {
        // A paragraph counts whole with its paragraph end (the last one has none).
        const int end = paragraphEnd(p) + (p + 1 < paragraphCount() ? 1 : 0);
        const bool whole = from <= paragraphStart(p) && to >= end;
        height += whole ? paragraphs_[static_cast<std::size_t>(p)].metrics.height
                        : layoutLinesHeight(*this, p, frame_, from, to);
    }
    return static_cast<float>(height);
}

}  // namespace ppt
