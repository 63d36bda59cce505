// The text of one text frame: UTF-16 characters ("\r" ends a paragraph), kept
// compactly (CompactText), character formatting by position, paragraph
// formatting by paragraph index, and the per-paragraph layout cache that BoundHeight reads. Appending at the
// end, formatting a stretch that reaches the end and formatting every
// paragraph cost time in proportion to what changes.
#pragma once

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "model/CompactText.h"
#include "model/RunMap.h"
#include "model/TextFormat.h"

namespace ppt {

// What the layout needs to know of the frame around the text.
struct FrameGeometry {
    bool wrap = false;
    float wrapWidth = 0;  // points available to a line when wrapping

    friend bool operator==(const FrameGeometry&, const FrameGeometry&) = default;
};

// Laid-out size of one paragraph, in points.
struct ParagraphMetrics {
    float height = 0;
    float width = 0;  // widest line
};

class TextBody;
// Computes the metrics of one paragraph (layout/TextLayout.cpp).
ParagraphMetrics layoutParagraph(const TextBody& body, int paragraph, const FrameGeometry& frame);
// Height of the lines of a paragraph that hold characters of [from, to).
float layoutLinesHeight(const TextBody& body, int paragraph, const FrameGeometry& frame, int from, int to);

class TextBody {
public:
    static constexpr int kEnd = RunMap<CharFormat>::kEnd;

    explicit TextBody(const CharFormat& initial = CharFormat{});

    const CompactText& text() const { return text_; }
    int length() const { return static_cast<int>(text_.size()); }
    int paragraphCount() const { return static_cast<int>(paragraphs_.size()); }
    int paragraphStart(int index) const { return paragraphs_[static_cast<std::size_t>(index)].start; }
    // Offset of the paragraph's "\r", or the text length for the last one.
    int paragraphEnd(int index) const
    {
        return index + 1 < paragraphCount() ? paragraphs_[static_cast<std::size_t>(index) + 1].start - 1 : length();
    }
    int paragraphAt(int pos) const;

    // Inserts text at pos (0..length); it takes the formatting of the
    // character before it, or of the insertion point at the end.
    void insert(int pos, std::u16string_view s);

    const RunMap<CharFormat>& chars() const { return chars_; }
    const RunMap<ParaFormat>& paras() const { return paras_; }

    // Changes the characters [from, to); a stretch reaching the end also
    // formats the insertion point (text appended later) unless told not to.
    // Returns whether anything changed.
    template <class Change>
    bool changeChars(int from, int to, Change&& change, bool throughInsertionPoint = true)
    {
        if (to >= length()) to = throughInsertionPoint ? kEnd : length();
        if (from >= to) return false;
        return chars_.apply(from, to, change, [this](int a, int b) { charsChanged(a, b); });
    }
    // Changes paragraphs [first, last) (0-based; kEnd for "to the end").
    template <class Change>
    bool changeParagraphs(int first, int last, Change&& change)
    {
        if (last >= paragraphCount()) last = kEnd;
        return paras_.apply(first, last, change, [this](int a, int b) { paragraphsChanged(a, b); });
    }

    // Layout. Changing the geometry drops every cached paragraph.
    void setFrame(const FrameGeometry& frame);
    const FrameGeometry& frame() const { return frame_; }
    // Height of the text written in [from, to): the laid-out lines holding
    // it, not counting an empty last paragraph, where nothing is written yet
    // (so an empty text measures 0, and the line that text written next
    // lands on starts at the height measured).
    float boundHeight(int from, int to);
    // Height of every line, an empty last one included: what a frame that
    // grows with its text must hold.
    float totalHeight();
    float widestLine();

private:
    void charsChanged(int from, int to);
    void paragraphsChanged(int first, int last);
    void markDirty(int paragraph);
    void refresh();

    static constexpr int kNone = -1;   // end of the dirty list
    static constexpr int kClean = -2;  // not in the dirty list

    // Where a paragraph starts and its layout as last measured. One record
    // per paragraph keeps a frame small: every slide has a few of them.
    // Paragraphs waiting to be measured again are linked through them in
    // the order they were marked, rather than listed apart.
    struct Paragraph {
        int start = 0;
        int nextDirty = kClean;
        ParagraphMetrics metrics;
    };

    CompactText text_;
    std::vector<Paragraph> paragraphs_;
    RunMap<CharFormat> chars_;
    RunMap<ParaFormat> paras_;

    FrameGeometry frame_;
    int firstDirty_ = kNone;
    int lastDirty_ = kNone;
    double total_ = 0;  // sum of the clean paragraphs' heights
};

}  // namespace ppt
