// Records the page footer once (text, a fixed date, the slide number, a
// picture) and paints it onto every slide through the slide's own footer
// placeholders when the slide is finished.
#pragma once

#include <memory>

#include "com/ComPtr.h"
#include "powerpoint/PowerPoint.h"
#include "support/KestString.h"

class OrvelFooter {
public:
    OrvelFooter();
    OrvelFooter(const OrvelFooter&) = delete;
    OrvelFooter& operator=(const OrvelFooter&) = delete;
    virtual ~OrvelFooter();

    // Empties text, date and page number; a recorded picture stays.
    void clear();
    void insertText(const KestString& text);
    void insertDate(const KestString& date);
    void insertPageNumber();
    void insertImage(const KestString& file, const KestString& link, long width, long height);

    // Takes the placeholders of the slide (or master) and hides its number.
    void setFooter(const ComPtr<PowerPoint::HeadersFooters>& headersFooters);
    void setSlide(const ComPtr<PowerPoint::_Slide>& slide);
    void display();

    KestString text() const;
    KestString dateText() const;
    bool showsPageNumber() const;

private:
    struct Record;
    std::unique_ptr<Record> d_;
};
