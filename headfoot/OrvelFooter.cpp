#include "headfoot/OrvelFooter.h"

#include "text/ClickAddress.h"
#include "text/TextConversion.h"

using namespace PowerPoint;

namespace {
// A 720 x 540 point slide: its horizontal centre and its bottom edge.
constexpr long slideCentre = 360;
constexpr long slideBottom = 540;
}  // namespace

struct OrvelFooter::Record {
    KestString text;
    KestString dateText;
    bool showPageNumber = false;
    ComPtr<HeadersFooters> headersFooters;
    ComPtr<_Slide> slide;
    KestString imageFile;
    KestString imageLink;
    long imageWidth = 0;
    long imageHeight = 0;
};

OrvelFooter::OrvelFooter() : d_(std::make_unique<Record>())
{
    clear();
}

OrvelFooter::~OrvelFooter() = default;

void OrvelFooter::clear()
{
    d_->text = "";
    d_->dateText = "";
    d_->showPageNumber = false;
}

void OrvelFooter::insertText(const KestString& text)
{
    d_->text.append(text);
}

void OrvelFooter::insertDate(const KestString& date)
{
    d_->dateText = date;
}

void OrvelFooter::insertPageNumber()
{
    d_->showPageNumber = true;
}

void OrvelFooter::insertImage(const KestString& file, const KestString& link, long width, long height)
{
    d_->imageFile = file;
    d_->imageLink = link;
    d_->imageWidth = width;
    d_->imageHeight = height;
}

void OrvelFooter::setFooter(const ComPtr<HeadersFooters>& headersFooters)
{
    d_->headersFooters = headersFooters;
    d_->headersFooters->GetSlideNumber()->PutVisible(msoFalse);
}

void OrvelFooter::setSlide(const ComPtr<_Slide>& slide)
{
    d_->slide = slide;
}

void OrvelFooter::display()
{
    Record& r = *d_;
    if (r.showPageNumber || !r.dateText.isEmpty() || !r.text.isEmpty()) {
        ComPtr<HeaderFooter> footer = r.headersFooters->GetFooter();
        footer->PutVisible(msoTrue);
        if (r.showPageNumber) r.headersFooters->GetSlideNumber()->PutVisible(msoTrue);
        if (!r.dateText.isEmpty()) {
            // A fixed text, not a date PowerPoint keeps current.
            ComPtr<HeaderFooter> date = r.headersFooters->GetDateAndTime();
            date->PutFormat(ppDateTimeMdyy);
            date->PutText(toWide(r.dateText));
            date->PutUseFormat(msoFalse);
            date->PutVisible(msoTrue);
        }
        if (!r.text.isEmpty()) footer->PutText(toWide(r.text));
    }
    if (!r.imageFile.isEmpty()) {
        long left = slideCentre - r.imageWidth / 2;
        long top = slideBottom - r.imageHeight;
        ComPtr<Shape> picture = r.slide->GetShapes()->AddPicture(
            toWide(r.imageFile), msoFalse, msoTrue, static_cast<float>(left), static_cast<float>(top),
            static_cast<float>(r.imageWidth), static_cast<float>(r.imageHeight));
        if (picture && !r.imageLink.isEmpty()) setClickAddress(picture, r.imageLink);
    }
}

KestString OrvelFooter::text() const
{
    return d_->text;
}

KestString OrvelFooter::dateText() const
{
    return d_->dateText;
}

bool OrvelFooter::showsPageNumber() const
{
    return d_->showPageNumber;
}
