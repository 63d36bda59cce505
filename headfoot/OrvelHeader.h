// Records the page header once (text with a "<PAGE>" marker, a picture) and
// paints it onto every slide when the slide is finished.
#pragma once

#include <memory>

#include "com/ComPtr.h"
#include "powerpoint/PowerPoint.h"
#include "support/KestString.h"
#include "text/FontData.h"

class OrvelHeader {
public:
    OrvelHeader();
    OrvelHeader(const OrvelHeader&) = delete;
    OrvelHeader& operator=(const OrvelHeader&) = delete;
    virtual ~OrvelHeader();

    // Empties the text; a recorded picture stays.
    void clear();
    void insertText(const KestString& text);
    void insertPageNumber();
    void insertImage(const KestString& file, const KestString& link, long width, long height);

    void setStyle(const KestString& style);
    void setFont(const FontData& font);
    FontData getFont() const;

    void setRange(const ComPtr<PowerPoint::TextRange>& range);
    void setSlide(const ComPtr<PowerPoint::_Slide>& slide);
    // Writes the text with the first marker replaced by pageNumber into the
    // range last given, and places the picture at the top left corner.
    void display(long pageNumber);

    KestString text() const;

private:
    static void replace(KestString& text, const KestString& pattern, const KestString& replacement);

    struct Record;
    std::unique_ptr<Record> d_;
};
