#include "binary/TextReader.h"

#include <algorithm>
#include <optional>

#include "binary/RecordTypes.h"
#include "office/package/Unicode.h"

namespace ppt::binary {
namespace {

struct ParagraphRun {
    int end = 0;  // one past its last character
    std::uint16_t level = 0;
    std::optional<bool> bullet;
    std::optional<int> align;  // 0 left, 1 centre, 2 right, 3 justify
};

struct CharacterRun {
    int end = 0;
    std::optional<bool> bold, italic, underline;
    std::optional<std::uint16_t> font, size;
};

struct LinkRange {
    int begin = 0, end = 0;
    std::uint32_t hyperlinkId = 0;
};

std::u16string characters(const Record& atom)
{
    std::u16string text;
    ByteReader in = atom.reader();
    if (atom.type == rt::TextBytesAtom) {
        text.reserve(atom.body.size());
        while (in.remaining()) text += static_cast<char16_t>(in.u8());
    } else {
        text.reserve(atom.body.size() / 2);
        while (in.remaining() >= 2) text += static_cast<char16_t>(in.u16());
    }
    return text;
}

// TextPFException: the bullet flag and alignment are kept, the rest skipped.
void readParagraphException(ByteReader& in, ParagraphRun& run)
{
    const std::uint32_t m = in.u32();
    if (m & 0xF) {
        const std::uint16_t flags = in.u16();
        if (m & 0x1) run.bullet = (flags & 0x1) != 0;
    }
    if (m & 0x80) in.skip(2);  // bullet character
    if (m & 0x10) in.skip(2);  // bullet font
    if (m & 0x40) in.skip(2);  // bullet size
    if (m & 0x20) in.skip(4);  // bullet colour
    if (m & 0x800) run.align = in.u16();
    for (const std::uint32_t twoBytes : {0x1000u, 0x2000u, 0x4000u, 0x100u, 0x400u, 0x8000u})  // spacing, margins, tab size
        if (m & twoBytes) in.skip(2);
    if (m & 0x100000) in.skip(4 * std::size_t{in.u16()});  // tab stops
    if (m & 0x10000) in.skip(2);  // font alignment
    if (m & 0xE0000) in.skip(2);  // wrap flags
    if (m & 0x200000) in.skip(2);  // text direction
}

// TextCFException: style flags, face and size are kept.
void readCharacterException(ByteReader& in, CharacterRun& run)
{
    const std::uint32_t m = in.u32();
    if (m & 0x3EB7) {  // any of the flags the style word holds
        const std::uint16_t style = in.u16();
        if (m & 0x1) run.bold = (style & 0x1) != 0;
        if (m & 0x2) run.italic = (style & 0x2) != 0;
        if (m & 0x4) run.underline = (style & 0x4) != 0;
    }
    if (m & 0x10000) run.font = in.u16();
    for (const std::uint32_t otherFont : {0x200000u, 0x400000u, 0x800000u})
        if (m & otherFont) in.skip(2);
    if (m & 0x20000) run.size = in.u16();
    if (m & 0x40000) in.skip(4);  // colour
    if (m & 0x80000) in.skip(2);  // position
}

}  // namespace

void spend(std::size_t& budget)
{
    if (budget == 0) throw FormatError("it holds more slides, shapes, paragraphs and runs than any presentation does");
    --budget;
}

namespace {

// StyleTextPropAtom: paragraph runs, then character runs, each covering the
// text and its final mark.
void readStyles(const Record& atom, int length, std::vector<ParagraphRun>& paragraphs, std::vector<CharacterRun>& characters,
                std::size_t& budget)
{
    ByteReader in = atom.reader();
    for (int at = 0; at <= length;) {
        spend(budget);
        ParagraphRun run;
        const std::uint32_t count = in.u32();
        run.level = in.u16();
        readParagraphException(in, run);
        at += static_cast<int>(std::min<std::uint32_t>(count, static_cast<std::uint32_t>(length + 1 - at)));
        if (count == 0) at = length + 1;  // a run of nothing covers the rest
        run.end = at;
        paragraphs.push_back(run);
    }
    for (int at = 0; at <= length && in.remaining();) {
        spend(budget);
        CharacterRun run;
        const std::uint32_t count = in.u32();
        readCharacterException(in, run);
        at += static_cast<int>(std::min<std::uint32_t>(count, static_cast<std::uint32_t>(length + 1 - at)));
        if (count == 0) at = length + 1;
        run.end = at;
        characters.push_back(run);
    }
}

template <class Run>
const Run* runAt(const std::vector<Run>& runs, int pos)
{
    const auto it = std::upper_bound(runs.begin(), runs.end(), pos, [](int p, const Run& r) { return p < r.end; });
    return it == runs.end() ? nullptr : &*it;
}

pptmedia::PptxRun runOf(const CharacterRun& format, const TextSources& sources)
{
    pptmedia::PptxRun run;
    if (format.font && *format.font < sources.fonts.size()) run.fontName = sources.fonts[*format.font];
    run.sizePt = format.size.value_or(0);
    run.bold = format.bold.value_or(false);
    run.italic = format.italic.value_or(false);
    run.underline = format.underline.value_or(false);
    return run;
}

}  // namespace

std::vector<pptmedia::PptxParagraph> readTextAtoms(const std::vector<Record>& atoms, const TextSources& sources)
{
    std::u16string text;
    bool hasText = false;
    std::vector<ParagraphRun> paragraphRuns;
    std::vector<CharacterRun> characterRuns;
    std::vector<LinkRange> links;
    std::uint32_t pendingLink = 0;
    for (const Record& atom : atoms) {
        switch (atom.type) {
        case rt::TextCharsAtom:
        case rt::TextBytesAtom:
            text = characters(atom);
            hasText = true;
            break;
        case rt::StyleTextPropAtom: readStyles(atom, static_cast<int>(text.size()), paragraphRuns, characterRuns, sources.budget); break;
        case rt::InteractiveInfo:
            pendingLink = 0;
            if (auto info = childOf(atom, rt::InteractiveInfoAtom); info && atom.instance == 0) {
                ByteReader in = info->reader();
                in.skip(4);  // sound
                pendingLink = in.u32();
            }
            break;
        case rt::TextInteractiveInfoAtom:
            if (atom.instance == 0 && pendingLink) {
                ByteReader in = atom.reader();
                const auto begin = static_cast<int>(std::min<std::uint32_t>(in.u32(), static_cast<std::uint32_t>(text.size())));
                const auto end = static_cast<int>(std::min<std::uint32_t>(in.u32(), static_cast<std::uint32_t>(text.size())));
                if (begin < end) links.push_back({begin, end, pendingLink});
            }
            pendingLink = 0;
            break;
        default: break;
        }
    }
    std::vector<pptmedia::PptxParagraph> paragraphs;
    if (!hasText) return paragraphs;
    for (char16_t& c : text)
        if (c == u'\n') c = u'\r';  // either ends a paragraph
    std::sort(links.begin(), links.end(), [](const LinkRange& a, const LinkRange& b) { return a.begin < b.begin; });

    const int length = static_cast<int>(text.size());
    std::size_t nextLink = 0;
    for (int start = 0; start <= length;) {
        spend(sources.budget);
        int end = start;
        while (end < length && text[static_cast<std::size_t>(end)] != u'\r') ++end;
        pptmedia::PptxParagraph paragraph;
        if (const ParagraphRun* run = runAt(paragraphRuns, start)) {
            paragraph.alignment = std::clamp(run->align.value_or(0), 0, 3) + 1;
            paragraph.bullet = run->bullet.value_or(false);
            paragraph.level = std::min<int>(run->level, 4);
        }
        // Runs break where the character formatting or the link changes.
        for (int pos = start; pos < end;) {
            const CharacterRun* format = runAt(characterRuns, pos);
            int stop = std::min(end, format ? format->end : end);
            while (nextLink < links.size() && links[nextLink].end <= pos) ++nextLink;
            const LinkRange* link = nullptr;
            if (nextLink < links.size()) {
                if (links[nextLink].begin <= pos) {
                    link = &links[nextLink];
                    stop = std::min(stop, link->end);
                } else {
                    stop = std::min(stop, links[nextLink].begin);
                }
            }
            spend(sources.budget);
            pptmedia::PptxRun run = format ? runOf(*format, sources) : pptmedia::PptxRun{};
            run.text = office::utf16ToUtf8(std::u16string_view(text).substr(static_cast<std::size_t>(pos), static_cast<std::size_t>(stop - pos)));
            if (link) run.link = sources.hyperlink(link->hyperlinkId);
            paragraph.runs.push_back(std::move(run));
            pos = stop;
        }
        if (const CharacterRun* format = runAt(characterRuns, end)) paragraph.mark = runOf(*format, sources);
        paragraphs.push_back(std::move(paragraph));
        start = end + 1;
    }
    return paragraphs;
}

}  // namespace ppt::binary
