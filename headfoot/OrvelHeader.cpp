#include "headfoot/OrvelHeader.h"

#include <string>

#include "text/ClickAddress.h"
#include "text/PptText.h"
#include "text/TextConversion.h"

using namespace PowerPoint;

namespace {
const KestString pageMarker("<PAGE>");
}

struct OrvelHeader::Record {
    KestString text;
    PptText writer;
    KestString imageFile;
    KestString imageLink;
    long imageWidth = 0;
    long imageHeight = 0;
    ComPtr<_Slide> slide;
    ComPtr<_Slide> placedOn;  // the slide the picture was shown on when it was given
};

OrvelHeader::OrvelHeader() : d_(std::make_unique<Record>())
{
    clear();
}

OrvelHeader::~OrvelHeader() = default;

void OrvelHeader::clear()
{
    d_->text = "";
}

void OrvelHeader::insertText(const KestString& text)
{
    d_->text.append(text);
}

void OrvelHeader::insertPageNumber()
{
    d_->text.append(pageMarker);
}

void OrvelHeader::insertImage(const KestString& file, const KestString& link, long width, long height)
{
    // Shown on the current slide at once: a file that is no picture is
    // refused now (the COM error passes to the caller), not at a later slide.
    if (d_->slide) {
        placeImage(file, link, width, height);
        d_->placedOn = d_->slide;
    }
    d_->imageFile = file;
    d_->imageLink = link;
    d_->imageWidth = width;
    d_->imageHeight = height;
}

void OrvelHeader::setStyle(const KestString& style)
{
    d_->writer.setStyle(style);
}

void OrvelHeader::setFont(const FontData& font)
{
    d_->writer.setFont(font);
}

FontData OrvelHeader::getFont() const
{
    return d_->writer.getFont();
}

void OrvelHeader::setRange(const ComPtr<TextRange>& range)
{
    d_->writer.setRange(range);
}

void OrvelHeader::setSlide(const ComPtr<_Slide>& slide)
{
    d_->slide = slide;
}

void OrvelHeader::display(long pageNumber)
{
    if (!d_->text.isEmpty()) {
        KestString shown = d_->text;
        replace(shown, pageMarker, KestString(std::to_string(pageNumber)));
        d_->writer.insertText(shown);
    }
    if (!d_->imageFile.isEmpty() && d_->placedOn != d_->slide)
        placeImage(d_->imageFile, d_->imageLink, d_->imageWidth, d_->imageHeight);
    d_->placedOn = nullptr;
}

void OrvelHeader::placeImage(const KestString& file, const KestString& link, long width, long height)
{
    ComPtr<Shape> picture = d_->slide->GetShapes()->AddPicture(
        toWide(file), msoFalse, msoTrue, 0.0f, 0.0f, static_cast<float>(width), static_cast<float>(height));
    if (picture && !link.isEmpty()) setClickAddress(picture, link);
}

KestString OrvelHeader::text() const
{
    return d_->text;
}

void OrvelHeader::replace(KestString& text, const KestString& pattern, const KestString& replacement)
{
    std::size_t at = text.find(pattern);
    if (at == KestString::npos) return;
    // The removed length is that of the one marker ever passed.
    text.remove(at, pageMarker.length());
    text.insert(at, replacement);
}
