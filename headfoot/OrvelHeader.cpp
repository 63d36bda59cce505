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
    if (!d_->imageFile.isEmpty()) {
        ComPtr<Shape> picture = d_->slide->GetShapes()->AddPicture(
            toWide(d_->imageFile), msoFalse, msoTrue, 0.0f, 0.0f, static_cast<float>(d_->imageWidth),
            static_cast<float>(d_->imageHeight));
        if (picture && !d_->imageLink.isEmpty()) setClickAddress(picture, d_->imageLink);
    }
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
