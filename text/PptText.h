// Writes a stream of text into one PowerPoint text frame: appends at once,
// applies the current font from its starting point to the end (once to each
// character while the font and the frame stay the same), turns line
// feeds into paragraph ends, aligns the paragraph being written, switches the
// bullets of the whole frame, and attaches hyperlinks when the slide closes.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "com/ComPtr.h"
#include "powerpoint/PowerPoint.h"
#include "support/KestString.h"
#include "text/FontData.h"

class PptText {
public:
    PptText();
    PptText(const PptText&) = delete;
    PptText& operator=(const PptText&) = delete;
    // Closes the slide once more; a failure there is dropped (nothing can
    // report it from a destructor).
    virtual ~PptText();

    // Aims the writer at a frame; nothing else changes.
    void setRange(const ComPtr<PowerPoint::TextRange>& range);
    // A new frame for a new slide: paragraph 1, the current font from its start.
    void beginSlide(const ComPtr<PowerPoint::TextRange>& range, const ComPtr<PowerPoint::Shapes>& shapes);
    // Attaches the pending hyperlinks; they stay pending if this fails.
    void closeSlide();

    void insertText(const KestString& text);
    void insertEndl();
    void insertHyperLink(const KestString& text, const KestString& target);
    void insertFile(const KestString& fileName, const KestString& className, const KestString& iconFile, bool link,
                    bool asIcon);

    void setFont(const FontData& font);
    FontData getFont() const;
    void setTextAlign(short align);
    short getTextAlign() const;
    void setStyle(const KestString& styleName);

    // Where the current font starts and which paragraph is being written
    // (1-based frame positions), for diagnostics and tests.
    std::int32_t fontStart() const;
    std::int32_t paragraph() const;
    bool bullet() const;
    std::size_t pendingLinks() const;

private:
    void appendAndFormat(std::string_view line);
    void applyFont(const ComPtr<PowerPoint::TextRange>& appended);
    void showBullets();

    struct Record;
    std::unique_ptr<Record> d_;
};
