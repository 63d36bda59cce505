// OfficeArt shape records as a slide's drawing holds them: the drawing
// container with its group of shapes and background, and one shape (FSP,
// property table, anchor on the slide, client data, client textbox).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "binary/DrawingIds.h"
#include "binary/RecordStream.h"
#include "binary/RecordTypes.h"
#include "binary/TextRecords.h"
#include "model/ShapeModel.h"

namespace ppt::binary {

// OfficeArtFOPT: properties by id, written in id order.
class PropertyTable {
public:
    void set(std::uint16_t id, std::uint32_t value) { simple_[id] = value; }
    // A property whose value lies in the complex data after the table.
    void setComplex(std::uint16_t id, std::string data) { complex_[id] = std::move(data); }
    void write(RecordStream& out) const;

private:
    std::map<std::uint16_t, std::uint32_t> simple_;
    std::map<std::uint16_t, std::string> complex_;
};

namespace prop {
constexpr std::uint16_t dxTextLeft = 0x0081, dyTextTop = 0x0082, dxTextRight = 0x0083, dyTextBottom = 0x0084;
constexpr std::uint16_t wrapText = 0x0085, anchorText = 0x0087, textBooleans = 0x00BF;
constexpr std::uint16_t pib = 0x4104, pibName = 0x8105, pibFlags = 0x0106, pictureId = 0x010B;
constexpr std::uint16_t fillType = 0x0180, fillColor = 0x0181, fillBooleans = 0x01BF, lineBooleans = 0x01FF;
constexpr std::uint16_t shapeBooleans = 0x033F;
}  // namespace prop

struct ShapeSpec {
    std::uint16_t type = shapetype::rectangle;
    std::uint32_t flags = 0xA00;  // fHaveAnchor | fHaveSpt
    Box box;
    PropertyTable properties;
    std::optional<std::uint8_t> placeholder;  // PlaceholderEnum
    std::uint8_t placeholderSize = 0;         // 0 full, 1 half, 2 quarter
    std::uint32_t exObjRef = 0;               // an embedded object's id
    LinkAction click, over;
    std::function<void(RecordStream&)> text;  // the client textbox's atoms
};

// One DrawingContainer: open it, write its shapes, finish it.
class DrawingWriter {
public:
    DrawingWriter(RecordStream& out, DrawingIds& ids);
    void shape(const ShapeSpec& shapeInfo);
    // Closes the drawing, after its background shape when given (0x00BBGGRR).
    void finish(std::optional<std::uint32_t> background);
    // Closes the drawing after a background shape with these fill properties.
    void finish(PropertyTable background);

private:
    void close();

    RecordStream& out_;
    DrawingIds& ids_;
    std::size_t fdgAt_ = 0;
    std::optional<RecordStream::Scope> drawing_, dg_, group_;
};

}  // namespace ppt::binary
