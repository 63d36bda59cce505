// Writes an enhanced metafile (vector picture) record by record. Drawing
// coordinates are in points from the top-left corner; the file stores them
// in twips (1/20 pt) on a reference device of 1440 units per inch.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "media/Bytes.h"

namespace pptmedia {

struct EmfColour {
    std::uint8_t red = 0, green = 0, blue = 0;
    bool operator==(const EmfColour&) const = default;
};
constexpr EmfColour kEmfWhite{255, 255, 255}, kEmfBlack{0, 0, 0};

struct EmfFont {
    std::string name = "Liberation Sans";
    double sizePt = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool operator==(const EmfFont&) const = default;
};

// Pixels of a picture, top row first, three bytes (red, green, blue) each.
struct EmfBitmap {
    int widthPx = 0;
    int heightPx = 0;
    Bytes rgb;
};

class EmfWriter {
public:
    EmfWriter(double widthPt, double heightPt);

    double widthPt() const { return widthPt_; }
    double heightPt() const { return heightPt_; }

    // A filled rectangle without outline.
    void fillRect(double x, double y, double width, double height, EmfColour colour);
    // A rectangle outline.
    void frameRect(double x, double y, double width, double height, double penPt, EmfColour colour);
    void line(double x1, double y1, double x2, double y2, double penPt, EmfColour colour);
    // A bitmap stretched over the box.
    void bitmap(double x, double y, double width, double height, const EmfBitmap& bitmap);
    // Text whose baseline starts at (x, baseline). `advancesPt` holds one
    // advance per UTF-16 unit of `text`; it fixes the glyph positions so
    // every reader lays the text out as it was measured.
    void text(double x, double baseline, const std::u16string& text, std::span<const double> advancesPt,
              const EmfFont& font, EmfColour colour);

    // The finished file. The writer can not be drawn on afterwards.
    Bytes finish(const std::u16string& description = u"");

    static constexpr double kUnitsPerPoint = 20.0;

private:
    struct Pen {
        std::int32_t width;
        EmfColour colour;
        bool operator==(const Pen&) const = default;
    };
    // The pen, brush or font that one slot of the handle table holds, kept so
    // repeated draws in one style make no records.
    template <class Value>
    struct Slot {
        std::uint32_t index;
        std::uint32_t stockForDelete;  // selected so the slot's object may be deleted
        bool created = false;
        bool stockSelected = false;  // a stock object stands in for it
        Value value{};
    };
    template <class Value>
    void selectStock(Slot<Value>& slot, std::uint32_t stock);
    // Selects the slot when it holds `wanted` already (true); otherwise deletes
    // its object for the caller to create the new one.
    template <class Value>
    bool selectKept(Slot<Value>& slot, const Value& wanted);
    template <class Value>
    void selectCreated(Slot<Value>& slot, const Value& value);
    template <class Value>
    void release(Slot<Value>& slot);

    void record(std::uint32_t type, std::initializer_list<std::uint32_t> fields);
    void usePen(std::int32_t width, EmfColour colour, bool none = false);
    void useBrush(EmfColour colour, bool none);
    void useFont(const EmfFont& font);
    static std::int32_t units(double pt);

    double widthPt_, heightPt_;
    Bytes body_;
    std::uint32_t records_ = 0;
    bool finished_ = false;
    Slot<Pen> pen_;
    Slot<EmfColour> brush_;
    Slot<EmfFont> font_;
    EmfColour textColour_{};
    bool hasTextColour_ = false;
};

}  // namespace pptmedia
