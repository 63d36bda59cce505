#include "text/PptText.h"

#include <list>
#include <optional>
#include <string>
#include <string_view>

#include "support/SysFile.h"
#include "text/ParagraphStyles.h"
#include "text/PptHyperLink.h"
#include "text/TextConversion.h"

using namespace PowerPoint;

struct PptText::Record {
    ComPtr<TextRange> textRange;
    ComPtr<Shapes> shapes;
    // The bullets of the whole frame, asked for once per frame: the frame's
    // own range keeps covering the paragraphs appended later.
    ComPtr<BulletFormat> frameBullets;
    FontData font;
    std::u16string fontName = toWide(font.name);  // as PowerPoint takes it
    std::int32_t paragraph = 1;
    bool bullet = false;
    short align = 0;
    // The start of the frame is where setFont puts the font of an empty frame.
    std::int32_t fontStart = 1;
    // The last position that already carries the current font, while that is
    // known: the text up to there is not formatted again.
    std::optional<std::int32_t> formattedTo;
    std::list<PptHyperLink> links;  // newest first

    void aimAt(const ComPtr<TextRange>& range)
    {
        textRange = range;
        frameBullets = nullptr;
        formattedTo.reset();
    }
};

namespace {

MsoTriState triState(bool on)
{
    return on ? msoTrue : msoFalse;
}

}  // namespace

PptText::PptText() : d_(std::make_unique<Record>()) {}

PptText::~PptText()
{
    try {
        closeSlide();
    } catch (...) {
    }
}

void PptText::setRange(const ComPtr<TextRange>& range)
{
    d_->aimAt(range);
}

void PptText::beginSlide(const ComPtr<TextRange>& range, const ComPtr<Shapes>& shapes)
{
    d_->aimAt(range);
    d_->shapes = shapes;
    d_->paragraph = 1;
    // The current font stays current, from the start of the new frame.
    d_->fontStart = 1;
}

void PptText::closeSlide()
{
    for (const PptHyperLink& link : d_->links) {
        ComPtr<TextRange> linkText = d_->textRange->Characters(link.getFirst(), link.getLast() - link.getFirst() + 1);
        ComPtr<Hyperlink> hyperlink = linkText->GetActionSettings()->Item(ppMouseClick)->GetHyperlink();
        if (!link.getAddress().isEmpty()) hyperlink->PutAddress(toWide(link.getAddress()));
        if (!link.getSubAddress().isEmpty()) hyperlink->PutSubAddress(toWide(link.getSubAddress()));
    }
    d_->links.clear();
}

void PptText::insertText(const KestString& text)
{
    std::string_view rest = text.view();
    for (std::size_t lineFeed = rest.find('\n'); lineFeed != std::string_view::npos; lineFeed = rest.find('\n')) {
        appendAndFormat(KestString(rest.substr(0, lineFeed)));
        insertEndl();
        rest.remove_prefix(lineFeed + 1);
        // A text that ends with a line feed leaves no empty piece behind.
        if (rest.empty()) return;
    }
    appendAndFormat(KestString(rest));
}

void PptText::appendAndFormat(const KestString& line)
{
    ComPtr<TextRange> appended = d_->textRange->InsertAfter(toWide(line));
    // Right after formatted text the appended range is all that needs the font.
    const std::optional<std::int32_t>& formattedTo = d_->formattedTo;
    const bool followsFormatted = formattedTo && appended && appended->GetStart() == *formattedTo + 1;
    applyFont(followsFormatted ? appended : nullptr);
}

void PptText::insertEndl()
{
    d_->textRange->InsertAfter(u"\r");
    ++d_->paragraph;
}

void PptText::insertHyperLink(const KestString& text, const KestString& target)
{
    bool isAddress = SysFile::isHyperLink(target) || SysFile::exists(target);
    ComPtr<TextRange>& range = d_->textRange;
    std::int32_t first = range->GetLength() + 1;
    range->InsertAfter(toWide(text));
    std::int32_t last = range->GetLength();
    d_->links.emplace_front(isAddress ? target : KestString(), isAddress ? KestString() : target, first, last);
}

void PptText::insertFile(const KestString& fileName, const KestString&, const KestString& iconFile, bool link,
                         bool asIcon)
{
    // The object is made from the file itself: the class name is not passed on.
    d_->shapes->AddOLEObject(120.0f, 110.0f, 480.0f, 320.0f, u"", toWide(fileName), triState(asIcon),
                             toWide(iconFile), 1, toWide(SysFile::stripDir(fileName)), triState(link));
}

void PptText::setFont(const FontData& font)
{
    // The font is current even when reading the length fails below.
    d_->font = font;
    d_->fontName = toWide(font.name);
    d_->formattedTo.reset();
    d_->fontStart = d_->textRange->GetLength() + 1;
    d_->bullet = false;
}

FontData PptText::getFont() const
{
    return d_->font;
}

void PptText::setTextAlign(short align)
{
    if (align == 0) return;
    ComPtr<ParagraphFormat> format = d_->textRange->Paragraphs(d_->paragraph, 1)->GetParagraphFormat();
    switch (align) {
    case 1:
    case 4:
        format->PutAlignment(ppAlignLeft);
        break;
    case 2:
        format->PutAlignment(ppAlignCenter);
        break;
    case 3:
        format->PutAlignment(ppAlignRight);
        break;
    default:
        break;  // remembered, but no alignment of PowerPoint's matches it
    }
    d_->align = align;
}

short PptText::getTextAlign() const
{
    return d_->align;
}

void PptText::setStyle(const KestString& styleName)
{
    ParagraphStyle style = paragraphStyle(styleName);
    if (style.bullet)
        d_->bullet = true;
    else
        setFont(style.font);
}

// The font goes from its start to the end of the frame; what an earlier call
// formatted with the same font in the same frame is left as it is.
void PptText::applyFont(const ComPtr<TextRange>& appended)
{
    Record& d = *d_;
    const FontData& font = d.font;
    std::int32_t length = d.textRange->GetLength();
    ComPtr<Font> target = appended ? appended->GetFont()
                                   : d.textRange->Characters(d.formattedTo ? *d.formattedTo + 1 : d.fontStart, length)
                                         ->GetFont();
    target->PutBold(triState(font.bold));
    target->PutItalic(triState(font.italic));
    target->PutUnderline(triState(font.underline));
    if (font.size != 0) target->PutSize(static_cast<float>(font.size));
    target->PutName(d.fontName);
    // Bullets go to every paragraph of the frame: all or none show them.
    if (!d.frameBullets) d.frameBullets = d.textRange->GetParagraphFormat()->GetBullet();
    d.frameBullets->PutVisible(triState(d.bullet));
    // A font start past the end formats only the last character: that is
    // done again each time, as nothing up to the end is sure to carry it.
    if (d.fontStart <= length + 1) d.formattedTo = length;
}

std::int32_t PptText::fontStart() const
{
    return d_->fontStart;
}

std::int32_t PptText::paragraph() const
{
    return d_->paragraph;
}

bool PptText::bullet() const
{
    return d_->bullet;
}

std::size_t PptText::pendingLinks() const
{
    return d_->links.size();
}
