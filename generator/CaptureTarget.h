// Where content calls go in the capture mode the generator is in: the header
// composer, the footer composer, the notes writer or the slide body. The
// calls ask this value instead of each switching on the mode.
#pragma once

#include "generator/GeneratorState.h"

class CaptureTarget {
public:
    explicit CaptureTarget(GeneratorState& state);

    // The slide body (or, while one is open, the table): the caller places it.
    bool isBody() const { return body_; }
    // The writer of running text: the body's or the notes'; none while a
    // composer records.
    PptText* writer() const { return writer_; }

    // Text as it is, to the composer or the writer.
    void insertText(const KestString& text) const;
    // The footer keeps a date of its own; elsewhere it is text.
    void insertDate(const KestString& date) const;
    // The footer takes no time of day.
    void insertTime(const KestString& time) const;
    // Only the composers number their slides.
    void insertPageNumber() const;
    // A composer's picture, drawn on every slide; the notes take none.
    void insertImage(const KestString& file, const KestString& link, short width, short height) const;

    // Style and font: the header's or the writer's; the footer has none.
    void setStyle(const KestString& style) const;
    void setFont(const FontData& font) const;
    FontData font() const;

private:
    OrvelHeader* header_ = nullptr;
    OrvelFooter* footer_ = nullptr;
    PptText* writer_ = nullptr;
    bool body_ = false;
};
