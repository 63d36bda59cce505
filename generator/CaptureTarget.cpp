#include "generator/CaptureTarget.h"

CaptureTarget::CaptureTarget(GeneratorState& state)
{
    switch (state.captureMode) {
    case CaptureMode::Header:
        header_ = &state.header;
        break;
    case CaptureMode::Footer:
        footer_ = &state.footer;
        break;
    case CaptureMode::Notes:
        writer_ = &state.notesText;
        break;
    case CaptureMode::Body:
        writer_ = &state.bodyText;
        body_ = true;
        break;
    }
}

void CaptureTarget::insertText(const KestString& text) const
{
    if (header_) header_->insertText(text);
    if (footer_) footer_->insertText(text);
    if (writer_) writer_->insertText(text);
}

void CaptureTarget::insertDate(const KestString& date) const
{
    if (footer_)
        footer_->insertDate(date);
    else
        insertText(date);
}

void CaptureTarget::insertTime(const KestString& time) const
{
    if (!footer_) insertText(time);
}

void CaptureTarget::insertPageNumber() const
{
    if (header_) header_->insertPageNumber();
    if (footer_) footer_->insertPageNumber();
}

void CaptureTarget::insertImage(const KestString& file, const KestString& link, short width, short height) const
{
    if (header_) header_->insertImage(file, link, width, height);
    if (footer_) footer_->insertImage(file, link, width, height);
}

void CaptureTarget::setStyle(const KestString& style) const
{
    if (header_) header_->setStyle(style);
    if (writer_) writer_->setStyle(style);
}

void CaptureTarget::setFont(const FontData& font) const
{
    if (header_) header_->setFont(font);
    if (writer_) writer_->setFont(font);
}

FontData CaptureTarget::font() const
{
    if (header_) return header_->getFont();
    if (writer_) return writer_->getFont();
    return FontData();
}
