#include "media/EmfWriter.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "media/EmfRecords.h"

namespace pptmedia {
namespace {

constexpr std::uint32_t kPenSlot = 1, kBrushSlot = 2, kFontSlot = 3, kHandleCount = 4;
constexpr std::uint32_t kStockNullBrush = 0x80000005, kStockBlackPen = 0x80000007, kStockNullPen = 0x80000008,
                        kStockSystemFont = 0x8000000D;
constexpr std::size_t kFaceNameChars = 32;

void putU32(Bytes& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void putI32(Bytes& out, std::int32_t v) { putU32(out, static_cast<std::uint32_t>(v)); }
void putU16(Bytes& out, std::uint16_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void putF32(Bytes& out, float f)
{
    std::uint32_t v;
    std::memcpy(&v, &f, sizeof v);
    putU32(out, v);
}
void setU32(Bytes& out, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::uint32_t colourRef(EmfColour c)
{
    return std::uint32_t(c.red) | std::uint32_t(c.green) << 8 | std::uint32_t(c.blue) << 16;
}

// UTF-8 font name to at most 31 UTF-16 units (ASCII suffices for face names;
// other bytes are kept as Latin-1 so nothing overruns the field).
std::u16string faceName(const std::string& name)
{
    std::u16string face;
    for (unsigned char c : name) {
        if (face.size() == kFaceNameChars - 1) break;
        face += static_cast<char16_t>(c);
    }
    return face;
}

}  // namespace

EmfWriter::EmfWriter(double widthPt, double heightPt)
    : widthPt_(std::max(widthPt, 1.0 / kUnitsPerPoint)),
      heightPt_(std::max(heightPt, 1.0 / kUnitsPerPoint)),
      pen_{kPenSlot, kStockBlackPen},
      brush_{kBrushSlot, kStockNullBrush},
      font_{kFontSlot, kStockSystemFont}
{
    record(emf::EMR_SETMAPMODE, {emf::MM_TEXT});
    record(emf::EMR_SETBKMODE, {emf::TRANSPARENT});
    record(emf::EMR_SETTEXTALIGN, {emf::TA_BASELINE});
}

std::int32_t EmfWriter::units(double pt)
{
    double v = std::round(pt * kUnitsPerPoint);
    return static_cast<std::int32_t>(std::clamp(v, -1.0e9, 1.0e9));
}

void EmfWriter::record(std::uint32_t type, std::initializer_list<std::uint32_t> fields)
{
    putU32(body_, type);
    putU32(body_, static_cast<std::uint32_t>(8 + 4 * fields.size()));
    for (std::uint32_t f : fields) putU32(body_, f);
    ++records_;
}

template <class Value>
void EmfWriter::selectStock(Slot<Value>& slot, std::uint32_t stock)
{
    if (!slot.stockSelected) record(emf::EMR_SELECTOBJECT, {stock});
    slot.stockSelected = true;
}

template <class Value>
bool EmfWriter::selectKept(Slot<Value>& slot, const Value& wanted)
{
    if (slot.created && slot.value == wanted) {
        if (slot.stockSelected) record(emf::EMR_SELECTOBJECT, {slot.index});
        slot.stockSelected = false;
        return true;
    }
    release(slot);
    return false;
}

template <class Value>
void EmfWriter::selectCreated(Slot<Value>& slot, const Value& value)
{
    record(emf::EMR_SELECTOBJECT, {slot.index});
    slot.created = true;
    slot.stockSelected = false;
    slot.value = value;
}

template <class Value>
void EmfWriter::release(Slot<Value>& slot)
{
    if (!slot.created) return;
    record(emf::EMR_SELECTOBJECT, {slot.stockForDelete});
    record(emf::EMR_DELETEOBJECT, {slot.index});
    slot.created = false;
}

void EmfWriter::usePen(std::int32_t width, EmfColour colour, bool none)
{
    if (none) return selectStock(pen_, kStockNullPen);
    const Pen wanted{width, colour};
    if (selectKept(pen_, wanted)) return;
    record(emf::EMR_CREATEPEN, {kPenSlot, emf::PS_SOLID, static_cast<std::uint32_t>(width), 0, colourRef(colour)});
    selectCreated(pen_, wanted);
}

void EmfWriter::useBrush(EmfColour colour, bool none)
{
    if (none) return selectStock(brush_, kStockNullBrush);
    if (selectKept(brush_, colour)) return;
    record(emf::EMR_CREATEBRUSHINDIRECT, {kBrushSlot, emf::BS_SOLID, colourRef(colour), 0});
    selectCreated(brush_, colour);
}

void EmfWriter::useFont(const EmfFont& font)
{
    if (selectKept(font_, font)) return;
    // EMR_EXTCREATEFONTINDIRECTW with a plain 92-byte LOGFONTW.
    putU32(body_, emf::EMR_EXTCREATEFONTINDIRECTW);
    putU32(body_, 12 + 92);
    putU32(body_, kFontSlot);
    putI32(body_, -units(font.sizePt));  // negative: the em height, not the cell height
    putI32(body_, 0);                    // width: from the height
    putI32(body_, 0);                    // escapement
    putI32(body_, 0);                    // orientation
    putU32(body_, font.bold ? emf::FW_BOLD : emf::FW_NORMAL);
    body_.push_back(font.italic ? 1 : 0);
    body_.push_back(font.underline ? 1 : 0);
    body_.push_back(font.strike ? 1 : 0);
    body_.push_back(static_cast<std::uint8_t>(emf::DEFAULT_CHARSET));
    body_.push_back(0);  // out precision
    body_.push_back(0);  // clip precision
    body_.push_back(0);  // quality
    body_.push_back(0);  // pitch and family
    std::u16string face = faceName(font.name);
    for (std::size_t i = 0; i < kFaceNameChars; ++i) putU16(body_, i < face.size() ? face[i] : 0);
    ++records_;
    selectCreated(font_, font);
}

void EmfWriter::fillRect(double x, double y, double width, double height, EmfColour colour)
{
    usePen(0, {}, true);
    useBrush(colour, false);
    // GDI leaves out the right and bottom edge of a rectangle drawn without pen.
    record(emf::EMR_RECTANGLE, {static_cast<std::uint32_t>(units(x)), static_cast<std::uint32_t>(units(y)),
                                static_cast<std::uint32_t>(units(x + width) + 1),
                                static_cast<std::uint32_t>(units(y + height) + 1)});
}

void EmfWriter::frameRect(double x, double y, double width, double height, double penPt, EmfColour colour)
{
    usePen(units(penPt), colour);
    useBrush({}, true);
    record(emf::EMR_RECTANGLE, {static_cast<std::uint32_t>(units(x)), static_cast<std::uint32_t>(units(y)),
                                static_cast<std::uint32_t>(units(x + width)), static_cast<std::uint32_t>(units(y + height))});
}

void EmfWriter::line(double x1, double y1, double x2, double y2, double penPt, EmfColour colour)
{
    usePen(units(penPt), colour);
    record(emf::EMR_MOVETOEX, {static_cast<std::uint32_t>(units(x1)), static_cast<std::uint32_t>(units(y1))});
    record(emf::EMR_LINETO, {static_cast<std::uint32_t>(units(x2)), static_cast<std::uint32_t>(units(y2))});
}

void EmfWriter::bitmap(double x, double y, double width, double height, const EmfBitmap& bitmap)
{
    const auto w = static_cast<std::uint32_t>(bitmap.widthPx), h = static_cast<std::uint32_t>(bitmap.heightPx);
    if (w == 0 || h == 0 || bitmap.rgb.size() != std::size_t(w) * h * 3) return;
    constexpr std::uint32_t kRecordHeader = 80, kInfoHeader = 40;
    const std::uint32_t stride = (w * 3 + 3) & ~3u;
    const std::int32_t left = units(x), top = units(y), right = units(x + width), bottom = units(y + height);
    putU32(body_, emf::EMR_STRETCHDIBITS);
    putU32(body_, kRecordHeader + kInfoHeader + stride * h);
    putI32(body_, left);  // bounds, inclusive
    putI32(body_, top);
    putI32(body_, std::max(left, right - 1));
    putI32(body_, std::max(top, bottom - 1));
    putI32(body_, left);  // destination
    putI32(body_, top);
    putU32(body_, 0);  // source rectangle: the whole bitmap
    putU32(body_, 0);
    putU32(body_, w);
    putU32(body_, h);
    putU32(body_, kRecordHeader);  // offBmiSrc
    putU32(body_, kInfoHeader);
    putU32(body_, kRecordHeader + kInfoHeader);  // offBitsSrc
    putU32(body_, stride * h);
    putU32(body_, 0);           // DIB_RGB_COLORS
    putU32(body_, 0x00CC0020);  // SRCCOPY
    putI32(body_, right - left);
    putI32(body_, bottom - top);
    // BITMAPINFOHEADER: 24 bits per pixel, rows from the bottom up.
    putU32(body_, kInfoHeader);
    putI32(body_, static_cast<std::int32_t>(w));
    putI32(body_, static_cast<std::int32_t>(h));
    putU16(body_, 1);
    putU16(body_, 24);
    putU32(body_, 0);  // BI_RGB
    putU32(body_, stride * h);
    for (int i = 0; i < 4; ++i) putU32(body_, 0);  // resolution, palette
    for (std::uint32_t row = h; row-- > 0;) {
        const std::uint8_t* p = bitmap.rgb.data() + std::size_t(row) * w * 3;
        for (std::uint32_t c = 0; c < w; ++c, p += 3) {
            body_.push_back(p[2]);
            body_.push_back(p[1]);
            body_.push_back(p[0]);
        }
        for (std::uint32_t pad = w * 3; pad < stride; ++pad) body_.push_back(0);
    }
    ++records_;
}

void EmfWriter::text(double x, double baseline, const std::u16string& text, std::span<const double> advancesPt,
                     const EmfFont& font, EmfColour colour)
{
    if (text.empty()) return;
    useFont(font);
    if (!hasTextColour_ || textColour_ != colour) {
        record(emf::EMR_SETTEXTCOLOR, {colourRef(colour)});
        textColour_ = colour;
        hasTextColour_ = true;
    }
    // dx values in whole units; rounding errors are carried forward so the
    // run ends where its measured width says.
    std::vector<std::int32_t> dx(text.size(), 0);
    double exact = 0;
    std::int32_t placed = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        exact += i < advancesPt.size() ? advancesPt[i] : font.sizePt * 0.5;
        std::int32_t target = units(exact);
        dx[i] = target - placed;
        placed = target;
    }
    std::int32_t left = units(x), base = units(baseline);
    std::int32_t top = base - units(font.sizePt), bottom = base + units(font.sizePt * 0.3);

    const std::uint32_t headerBytes = 76;
    const std::uint32_t stringBytes = static_cast<std::uint32_t>((text.size() * 2 + 3) / 4 * 4);
    const std::uint32_t size = headerBytes + stringBytes + static_cast<std::uint32_t>(4 * text.size());
    putU32(body_, emf::EMR_EXTTEXTOUTW);
    putU32(body_, size);
    putI32(body_, left);  // bounds
    putI32(body_, top);
    putI32(body_, left + placed);
    putI32(body_, bottom);
    putU32(body_, emf::GM_COMPATIBLE);
    putF32(body_, 1.0f);  // exScale
    putF32(body_, 1.0f);  // eyScale
    putI32(body_, left);  // reference point
    putI32(body_, base);
    putU32(body_, static_cast<std::uint32_t>(text.size()));
    putU32(body_, headerBytes);  // offString
    putU32(body_, 0);            // options: no clipping, no opaque box
    putI32(body_, 0);            // rectangle (unused without options)
    putI32(body_, 0);
    putI32(body_, -1);
    putI32(body_, -1);
    putU32(body_, headerBytes + stringBytes);  // offDx
    for (char16_t c : text) putU16(body_, c);
    for (std::uint32_t pad = static_cast<std::uint32_t>(text.size() * 2); pad < stringBytes; ++pad) body_.push_back(0);
    for (std::int32_t d : dx) putI32(body_, d);
    ++records_;
}

Bytes EmfWriter::finish(const std::u16string& description)
{
    if (finished_) return {};
    finished_ = true;
    release(font_);
    release(pen_);
    release(brush_);
    record(emf::EMR_EOF, {0, 16, 20});

    // Description: text, NUL-terminated, padded to whole 32-bit words.
    std::u16string text = description.empty() ? std::u16string() : description + u'\0';
    if (!text.empty() && text.size() >= 2 && text[text.size() - 2] != u'\0') text += u'\0';
    std::uint32_t descriptionBytes = static_cast<std::uint32_t>((text.size() * 2 + 3) / 4 * 4);

    std::int32_t width = units(widthPt_), height = units(heightPt_);
    // Reference device: 14400 units across 254 mm, that is 1440 units per inch.
    const std::int32_t devicePx = 14400, deviceMm = 254;
    auto hundredthsMm = [](double pt) { return static_cast<std::int32_t>(std::lround(pt * 2540.0 / 72.0)); };

    Bytes out;
    out.reserve(emf::kHeaderSize + descriptionBytes + body_.size());
    putU32(out, emf::EMR_HEADER);
    putU32(out, emf::kHeaderSize + descriptionBytes);
    putI32(out, 0);  // bounds, inclusive, in device units
    putI32(out, 0);
    putI32(out, width - 1);
    putI32(out, height - 1);
    putI32(out, 0);  // frame, in 0.01 mm
    putI32(out, 0);
    putI32(out, hundredthsMm(widthPt_));
    putI32(out, hundredthsMm(heightPt_));
    putU32(out, emf::kSignature);
    putU32(out, emf::kVersion);
    putU32(out, 0);  // total bytes, set below
    putU32(out, records_ + 1);
    putU16(out, static_cast<std::uint16_t>(kHandleCount));
    putU16(out, 0);
    putU32(out, static_cast<std::uint32_t>(text.size()));
    putU32(out, text.empty() ? 0 : emf::kHeaderSize);
    putU32(out, 0);  // palette entries
    putI32(out, devicePx);
    putI32(out, devicePx);
    putI32(out, deviceMm);
    putI32(out, deviceMm);
    putU32(out, 0);  // pixel format size
    putU32(out, 0);  // pixel format offset
    putU32(out, 0);  // OpenGL
    putI32(out, deviceMm * 1000);
    putI32(out, deviceMm * 1000);
    for (char16_t c : text) putU16(out, c);
    while (out.size() % 4 != 0) out.push_back(0);
    out.insert(out.end(), body_.begin(), body_.end());
    setU32(out, 48, static_cast<std::uint32_t>(out.size()));
    body_.clear();
    return out;
}

}  // namespace pptmedia
