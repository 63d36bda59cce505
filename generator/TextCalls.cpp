// Running text and its format: insertText (with its link markup), insertEndl,
// insertField, setStyle, the font calls, setTextAlign and insertXref, routed
// by the capture mode to the composers, the writers or the open table.
#include <climits>
#include <cstdio>
#include <string_view>

#include "generator/AutomationGuard.h"
#include "generator/CallEcho.h"
#include "generator/CaptureTarget.h"
#include "generator/LinkMarkup.h"
#include "generator/OutputFileName.h"
#include "generator/SlideLayout.h"
#include "support/SysTime.h"
#include "text/TextConversion.h"

namespace {

// The number after "Slide " as the C library's atoi reads it, kept in range.
long long leadingNumber(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || (text[at] >= '\t' && text[at] <= '\r'))) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    long long value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        value = value * 10 + (text[at] - '0');
        if (value > INT_MAX) value = INT_MAX;
    }
    return negative ? -value : value;
}

// A "Slide n" tag becomes PowerPoint's jump to slide n: "id,index,title".
KestString xrefTarget(const KestString& tagName)
{
    if (!tagName.startsWith("Slide ")) return tagName;
    long long slide = leadingNumber(tagName.view().substr(6));
    char prefix[48];
    std::snprintf(prefix, sizeof prefix, "%lld,%lld,", slide + 255, slide);
    KestString target(prefix);
    target.append(tagName);
    return target;
}

}  // namespace

HRESULT Orvel::insertText(BSTR text)
{
    insertTextValue(fromBstr(text));
    return S_OK;
}

void Orvel::insertTextValue(const KestString& text)
{
    if (!state_->documentOpen) return;
    guarded("insertText", [&] {
        echoInsertText(text);
        routeText(text);
    });
}

void Orvel::echoInsertText(const KestString& text)
{
    CallEcho(state_->traceLog, "orvel->insertText(").quoted(text).end();
}

void Orvel::routeText(const KestString& text)
{
    GeneratorState& s = *state_;
    CaptureTarget target(s);
    if (!target.isBody()) {
        target.insertText(text);
        return;
    }
    s.slideUsed = true;
    if (!s.tableOpen) {
        writeBodyText(text);
    } else if (s.tableDocument && !(hasLinkMarkup(text.view()) && writeTableMarkup(text))) {
        com::BStr whole = toBstr(text);
        toTable([&](IDocument& table) { table.insertText(whole.get()); });
    }
}

// Each link becomes the text before it, a cross-reference and the rest, each
// piece echoed as a call of its own (the script reader knows these lines and
// does not run them again when it replays a trace log). Nothing here changes
// the capture mode or the table, so every piece goes to the body. Written as
// a loop so that a text with very many links needs no deep recursion.
void Orvel::writeBodyText(const KestString& text)
{
    GeneratorState& s = *state_;
    std::string_view rest = text.view();
    for (;;) {
        std::optional<LinkMarkup> link;
        if (hasLinkMarkup(rest)) link = parseLinkMarkup(rest);
        if (!link) {
            // The whole text goes on as it is, without a copy.
            if (rest.size() == text.length())
                s.bodyText.insertText(text);
            else
                s.bodyText.insertText(KestString(rest));
            return;
        }
        KestString before(link->before);
        // Guarded on its own, like the call its echo shows.
        guarded("insertText", [&] {
            echoInsertText(before);
            s.bodyText.insertText(before);
        });
        insertXrefValue(KestString(link->linkText), KestString(link->target));
        rest = link->after;
        echoInsertText(KestString(rest));
    }
}

// The table variant: text before and after the link go to the table as they
// are; false when the markup is not complete.
bool Orvel::writeTableMarkup(const KestString& text)
{
    std::optional<LinkMarkup> link = parseLinkMarkup(text.view());
    if (!link) return false;
    com::BStr before = toBstr(KestString(link->before));
    toTable([&](IDocument& table) { table.insertText(before.get()); });
    insertXrefValue(KestString(link->linkText), KestString(link->target));
    com::BStr after = toBstr(KestString(link->after));
    toTable([&](IDocument& table) { table.insertText(after.get()); });
    return true;
}

HRESULT Orvel::insertEndl()
{
    GeneratorState& s = *state_;
    if (!s.documentOpen) return S_OK;
    guarded("insertEndl", [&] {
        CallEcho::line(s.traceLog, "orvel->insertEndl();");
        CaptureTarget target(s);
        if (!target.isBody()) {
            if (target.writer()) target.writer()->insertEndl();
        } else if (s.tableOpen) {
            toTable([](IDocument& table) { table.insertEndl(); });
        } else {
            s.bodyText.insertEndl();
            checkBodyOverflow();
        }
    });
    return S_OK;
}

HRESULT Orvel::insertField(SHORT field)
{
    GeneratorState& s = *state_;
    if (!s.documentOpen) return S_OK;
    CallEcho(s.traceLog, "orvel->insertField(").number(field).end();
    guarded("insertField", [&] {
        // Date and time in Body mode go to the body text, also while a table is open.
        CaptureTarget target(s);
        switch (field) {
        case 1:  // today's date
            target.insertDate(SysTime::currentDate());
            break;
        case 2:  // time of day
            target.insertTime(SysTime::currentTime());
            break;
        case 3:  // the presentation's file name, as if the client had written it
            insertTextValue(KestString(fileNameAfterSlash(s.outputFile.view())));
            break;
        case 4:  // page number
            target.insertPageNumber();
            break;
        default:
            break;
        }
    });
    return S_OK;
}

HRESULT Orvel::setStyle(BSTR style)
{
    GeneratorState& s = *state_;
    if (!s.documentOpen) return S_OK;
    guarded("setStyle", [&] {
        KestString name = fromBstr(style);
        CallEcho(s.traceLog, "orvel->setStyle(").quoted(name).end();
        // Styles never reach a table: they format the slide text.
        CaptureTarget(s).setStyle(name);
    });
    return S_OK;
}

HRESULT Orvel::setFontName(BSTR name)
{
    GeneratorState& s = *state_;
    if (!s.documentOpen) return S_OK;
    // A fresh record: the size and the switches of the current font are dropped.
    FontData font;
    font.name = fromBstr(name);
    CallEcho(s.traceLog, "orvel->setFontName(").quoted(font.name).end();
    if (s.tableOpen) {
        com::BStr text = toBstr(font.name);
        toTable([&](IDocument& table) { table.setFontName(text.get()); });
        if (s.tableHeight == 0) s.tableFont.name = font.name;
    } else {
        switchFont(font);
    }
    return S_OK;
}

HRESULT Orvel::setFontSize(SHORT size)
{
    GeneratorState& s = *state_;
    if (!s.documentOpen) return S_OK;
    FontData font = currentFont();
    font.size = size;
    CallEcho(s.traceLog, "orvel->setFontSize(").number(size).end();
    if (s.tableOpen) {
        s.rowHeight = size + slidelayout::rowHeightMargin;
        toTable([&](IDocument& table) {
            table.setTableRowHeight(s.rowHeight);
            table.setFontSize(size);
        });
        if (s.tableHeight == 0) s.tableFont.size = size;
    } else {
        switchFont(font);
    }
    return S_OK;
}

HRESULT Orvel::setFontAttribute(SHORT att, BOOL value)
{
    GeneratorState& s = *state_;
    if (!s.documentOpen) return S_OK;
    CallEcho echo(s.traceLog, "orvel->setFontAttribute(");
    FontData font = currentFont();
    bool on = value != 0;
    struct Attribute {
        SHORT code;
        const char* echo;
        bool FontData::*member;
    };
    static constexpr Attribute attributes[] = {{1, "Bold,", &FontData::bold},
                                               {2, "Italic,", &FontData::italic},
                                               {4, "Underline,", &FontData::underline},
                                               {8, "Strike,", &FontData::strike}};
    bool FontData::*attribute = nullptr;
    for (const Attribute& known : attributes)
        if (known.code == att) {
            echo.piece(known.echo);
            attribute = known.member;
        }
    if (attribute) {
        font.*attribute = on;
        if (s.tableHeight == 0) s.tableFont.*attribute = on;
    }
    echo.piece(on ? "TRUE" : "FALSE").end();
    if (s.tableOpen)
        toTable([&](IDocument& table) { table.setFontAttribute(att, value); });
    else
        switchFont(font);  // also for codes outside the four: the font start moves
    return S_OK;
}

HRESULT Orvel::setTextAlign(SHORT textAlign)
{
    GeneratorState& s = *state_;
    CallEcho(s.traceLog, "orvel->setTextAlign(").number(textAlign).end();
    CaptureTarget target(s);
    if (target.isBody() && s.tableOpen)
        toTable([&](IDocument& table) { table.setTextAlign(textAlign); });
    else if (target.writer())
        target.writer()->setTextAlign(textAlign);
    return S_OK;
}

HRESULT Orvel::insertXref(BSTR text, BSTR tagName)
{
    insertXrefValue(fromBstr(text), fromBstr(tagName));
    return S_OK;
}

void Orvel::insertXrefValue(const KestString& text, const KestString& tagName)
{
    GeneratorState& s = *state_;
    CallEcho(s.traceLog, "orvel->insertXref(").quoted(text).comma().quoted(tagName).end();
    if (s.tableOpen) {
        com::BStr linkText = toBstr(text);
        com::BStr tag = toBstr(tagName);
        toTable([&](IDocument& table) { table.insertXref(linkText.get(), tag.get()); });
        return;
    }
    if (PptText* writer = currentWriter()) {
        writer->insertHyperLink(text, xrefTarget(tagName));
        markUsedBy(*writer);
    }
}

PptText* Orvel::currentWriter()
{
    return CaptureTarget(*state_).writer();
}

FontData Orvel::currentFont()
{
    return CaptureTarget(*state_).font();
}

void Orvel::switchFont(const FontData& font)
{
    guarded("switchFont", [&] { CaptureTarget(*state_).setFont(font); });
}
