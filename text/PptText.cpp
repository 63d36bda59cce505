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
    // Set once the current font reaches the end of the frame, its insertion
    // point included: text appended after that takes the font by itself.
    bool fontAtEnd = false;
    // The bullets the frame's paragraphs show, once set in this frame.
    std::optional<bool> shownBullet;
    std::list<PptHyperLink> links;  // newest first
    std::u16string wide;  // reused for each appended piece

    void aimAt(const ComPtr<TextRange>& range)
    {
        textRange = range;
        frameBullets = nullptr;
        fontAtEnd = false;
        shownBullet.reset();
    }
    const std::u16string& widened(std::string_view text)
    {
        widenInto(wide, text);
        return wide;
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
        appendAndFormat(rest.substr(0, lineFeed));
        insertEndl();
        rest.remove_prefix(lineFeed + 1);
        // A text that ends with a line feed leaves no empty piece behind.
        if (rest.empty()) return;
    }
    appendAndFormat(rest);
}

void PptText::appendAndFormat(std::string_view line)
{
    Record& d = *d_;
    ComPtr<TextRange> appended = d.textRange->InsertAfter(d.widened(line));
    if (!d.fontAtEnd)
        applyFont(appended);
    else if (d.shownBullet != d.bullet)
        showBullets();
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
    range->InsertAfter(d_->widened(text.view()));
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
    widenInto(d_->fontName, font.name.view());
    d_->fontAtEnd = false;
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

// The font goes from its start to the end of the frame. Once it reaches the
// insertion point, everything appended later (paragraph ends and link texts
// too) carries it already, so later calls leave the characters alone.
void PptText::applyFont(const ComPtr<TextRange>& appended)
{
    Record& d = *d_;
    const FontData& font = d.font;
    std::int32_t length = d.textRange->GetLength();
    // After a font switch at the end the appended text is all there is to format.
    ComPtr<Font> target = appended && appended->GetStart() == d.fontStart
                              ? appended->GetFont()
                              : d.textRange->Characters(d.fontStart, length)->GetFont();
    target->PutBold(triState(font.bold));
    target->PutItalic(triState(font.italic));
    target->PutUnderline(triState(font.underline));
    if (font.size != 0) target->PutSize(static_cast<float>(font.size));
    target->PutName(d.fontName);
    showBullets();
    // A font start past the end formats only the last character: that is
    // done again each time, as the insertion point does not carry it.
    d.fontAtEnd = d.fontStart <= length + 1;
}

// Bullets go to every paragraph of the frame, those appended later too: all
// or none show them.
void PptText::showBullets()
{
    Record& d = *d_;
    if (!d.frameBullets) d.frameBullets = d.textRange->GetParagraphFormat()->GetBullet();
    d.frameBullets->PutVisible(triState(d.bullet));
    d.shownBullet = d.bullet;
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
