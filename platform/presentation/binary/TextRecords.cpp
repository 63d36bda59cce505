#include "binary/TextRecords.h"

#include <algorithm>
#include <cmath>

#include "model/TextFormat.h"

namespace ppt::binary {
namespace {

// PFMasks
constexpr std::uint32_t pfHasBullet = 0x1, pfBulletHasFont = 0x2, pfBulletHasColor = 0x4, pfBulletHasSize = 0x8;
constexpr std::uint32_t pfBulletFont = 0x10, pfBulletColor = 0x20, pfBulletSize = 0x40, pfBulletChar = 0x80;
constexpr std::uint32_t pfLeftMargin = 0x100, pfIndent = 0x400, pfAlign = 0x800, pfLineSpacing = 0x1000;
constexpr std::uint32_t pfSpaceBefore = 0x2000, pfSpaceAfter = 0x4000, pfDefaultTabSize = 0x8000;
// CFMasks
constexpr std::uint32_t cfTypeface = 0x10000, cfSize = 0x20000;
constexpr std::uint32_t cfColor = 0x40000, cfAllStyleFlags = 0xFFFF;

constexpr char16_t kBulletChar = u'\u2022';
constexpr std::int16_t kBulletIndent = 27 * kMasterUnitsPerPoint;  // the .pptx writer's 342900 EMU hanging indent
constexpr std::uint32_t kSchemeTextColour = 0x01000000;  // ColorIndexStruct: scheme colour 1, text and lines

std::uint16_t alignment(Align align)
{
    switch (align) {
    case Align::Center: return 1;
    case Align::Right: return 2;
    case Align::Justify: return 3;
    case Align::Left: break;
    }
    return 0;
}

std::uint16_t pointSize(float size) { return static_cast<std::uint16_t>(std::clamp(std::lround(size), 1L, 4000L)); }

// A paragraph exception of a text run: bullet on or off, alignment.
void writeRunPF(RecordStream& out, const ParaFormat& p)
{
    if (p.bullet) {
        out.u32(pfHasBullet | pfBulletHasFont | pfBulletFont | pfBulletChar | pfAlign);
        out.u16(0x3);  // fHasBullet, fBulletHasFont
        out.u16(kBulletChar);
        out.u16(0);  // Arial
    } else {
        out.u32(pfHasBullet | pfAlign);
        out.u16(0);
    }
    out.u16(alignment(p.align));
}

void writeRunCF(RecordStream& out, const CharFormat& f, FontTable& fonts)
{
    // Every style flag is given, not only the three the model knows: a
    // reader otherwise takes the style level's, and LibreOffice's deeper
    // levels strike the text through.
    out.u32(cfAllStyleFlags | cfTypeface | cfSize);
    out.u16(static_cast<std::uint16_t>((f.bold ? 1 : 0) | (f.italic ? 2 : 0) | (f.underline ? 4 : 0)));
    out.u16(fonts.index(FontNames::instance().name(f.font)));
    out.u16(pointSize(f.size));
}

std::u16string pptText(const std::u16string& text, bool& wide)
{
    std::u16string out = text;
    wide = false;
    for (char16_t& c : out) {
        if (c == u'\n') c = u'\v';  // a line break inside the paragraph
        if (c > 0xFF) wide = true;
    }
    return out;
}

void writeParagraphRuns(RecordStream& out, const TextBody& body, bool mixedBullets)
{
    const int paragraphs = body.paragraphCount();
    int p = 0;
    while (p < paragraphs) {
        const ParaFormat format = body.paras().at(p);
        int count = 0;
        int q = p;
        for (; q < paragraphs && body.paras().at(q) == format; ++q)
            count += body.paragraphEnd(q) - body.paragraphStart(q) + 1;  // its "\r", or the end mark
        out.u32(static_cast<std::uint32_t>(count));
        out.u16(mixedBullets && format.bullet ? 1 : 0);
        writeRunPF(out, format);
        p = q;
    }
}

void writeCharacterRuns(RecordStream& out, const TextBody& body, FontTable& fonts)
{
    const int length = body.length();
    const auto& chars = body.chars();
    int pos = 0;
    std::size_t run = 0;
    do {
        const CharFormat format = chars.at(pos);
        int end = pos;
        while (end < length) {
            run = chars.indexOf(end);
            // A link's text is a run of its own: LibreOffice otherwise
            // underlines the rest of the run after it as a link.
            if (chars.run(run).value != format) break;
            end = std::min(length, chars.runEnd(run));
        }
        // The final mark carries the insertion point's look, which text typed at the end takes.
        const CharFormat& insertion = chars.at(length);
        const bool markJoins = end == length && insertion == format;
        out.u32(static_cast<std::uint32_t>(end - pos + (markJoins ? 1 : 0)));
        writeRunCF(out, format, fonts);
        if (end == length && !markJoins) {
            out.u32(1);
            writeRunCF(out, insertion, fonts);
        }
        pos = end;
    } while (pos < length);
}

// Character ranges that carry a link, each told by an InteractiveInfoContainer
// and the TextInteractiveInfoAtom that follows it.
void writeTextLinks(RecordStream& out, const TextBody& body, const LinkResolver& links)
{
    const auto& chars = body.chars();
    for (std::uint16_t instance : {std::uint16_t{0}, std::uint16_t{1}}) {
        int pos = 0;
        while (pos < body.length()) {
            const std::size_t run = chars.indexOf(pos);
            const CharFormat& f = chars.run(run).value;
            const std::uint32_t link = instance == 0 ? f.clickLink : f.overLink;
            int end = std::min(body.length(), chars.runEnd(run));
            while (end < body.length()) {
                const CharFormat& next = chars.at(end);
                if ((instance == 0 ? next.clickLink : next.overLink) != link) break;
                end = std::min(body.length(), chars.runEnd(chars.indexOf(end)));
            }
            if (link) {
                const LinkAction action = links(link);
                if (action.hyperlinkId) {
                    writeInteractiveInfo(out, instance, action);
                    auto range = out.atom(rt::TextInteractiveInfoAtom, instance);
                    out.u32(static_cast<std::uint32_t>(pos));
                    out.u32(static_cast<std::uint32_t>(end));
                }
            }
            pos = end;
        }
    }
}

}  // namespace

void writeInteractiveInfo(RecordStream& out, std::uint16_t instance, const LinkAction& action)
{
    auto info = out.container(rt::InteractiveInfo, instance);
    auto atom = out.atom(rt::InteractiveInfoAtom);
    out.u32(0);  // no sound
    out.u32(action.hyperlinkId);
    out.u8(4);  // II_HyperlinkAction
    out.u8(0);  // oleVerb
    out.u8(0);  // no jump
    out.u8(0);  // flags
    out.u8(action.hyperlinkType);
    out.zeros(3);
}

void writeTextAtoms(RecordStream& out, const TextBody& body, TextType type, FontTable& fonts, const LinkResolver& links)
{
    {
        auto header = out.atom(rt::TextHeaderAtom);
        out.u32(static_cast<std::uint32_t>(type));
    }
    bool wide = false;
    const std::u16string text = pptText(body.text().copy(0, body.text().size()), wide);
    if (wide) {
        auto chars = out.atom(rt::TextCharsAtom);
        out.utf16(text);
    } else {
        auto bytes = out.atom(rt::TextBytesAtom);
        for (char16_t c : text) out.u8(static_cast<std::uint8_t>(c));
    }
    bool anyBullet = false, anyPlain = false;
    for (int p = 0; p < body.paragraphCount(); ++p) (body.paras().at(p).bullet ? anyBullet : anyPlain) = true;
    {
        auto style = out.atom(rt::StyleTextPropAtom);
        writeParagraphRuns(out, body, anyBullet && anyPlain);
        writeCharacterRuns(out, body, fonts);
    }
    if (anyBullet) {
        // The hanging indent of bulleted paragraphs: level 1 when every
        // paragraph has a bullet, level 2 (leaving level 1 flush) otherwise.
        auto ruler = out.atom(rt::TextRulerAtom);
        if (anyPlain) {
            out.u32(0x8 | 0x10 | 0x100 | 0x200);
            out.i16(0);
            out.i16(0);
        } else {
            out.u32(0x8 | 0x100);
        }
        out.i16(kBulletIndent);
        out.i16(0);
    }
    writeTextLinks(out, body, links);
}

void writeMasterStyle(RecordStream& out, TextType type, const std::vector<StyleLevel>& levels)
{
    auto atom = out.atom(rt::TextMasterStyleAtom, static_cast<std::uint16_t>(type));
    out.u16(static_cast<std::uint16_t>(levels.size()));
    for (const StyleLevel& level : levels) {
        out.u32(pfHasBullet | pfBulletHasFont | pfBulletHasColor | pfBulletHasSize | pfBulletFont | pfBulletColor |
                pfBulletSize | pfBulletChar | pfAlign | pfLineSpacing | pfSpaceBefore | pfSpaceAfter | pfLeftMargin |
                pfIndent | pfDefaultTabSize);
        out.u16(level.bullet ? 0x1 : 0x0);
        out.u16(kBulletChar);
        out.u16(0);    // Arial
        out.i16(100);  // bullet size: 100 % of the text
        out.u32(kSchemeTextColour);
        out.u16(alignment(level.align));
        out.i16(100);  // single line spacing
        out.i16(0);
        out.i16(0);
        out.i16(level.leftMargin);
        out.i16(level.indent);
        out.u16(576);  // tabs every inch

        out.u32(cfAllStyleFlags | cfTypeface | cfSize | cfColor);
        out.u16(static_cast<std::uint16_t>((level.bold ? 1 : 0) | (level.italic ? 2 : 0)));
        out.u16(level.font);
        out.u16(pointSize(level.size));
        out.u32(level.colour);
    }
}

void writeTextDefaults(RecordStream& out)
{
    {
        auto cf = out.atom(rt::TextCFExceptionAtom);
        out.u32(cfTypeface | cfSize | cfColor);
        out.u16(0);
        out.u16(pointSize(kDefaultFontSize));
        out.u32(kSchemeTextColour);
    }
    {
        auto pf = out.atom(rt::TextPFExceptionAtom);
        out.u32(pfAlign);
        out.u16(0);
    }
    {
        auto si = out.atom(rt::TextSIExceptionAtom);
        out.u32(0);
    }
}

}  // namespace ppt::binary
