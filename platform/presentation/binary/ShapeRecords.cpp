#include "binary/ShapeRecords.h"

#include <algorithm>
#include <cmath>

#include "binary/RecordTypes.h"

namespace ppt::binary {
namespace {

std::int16_t masterUnits(float points)
{
    if (std::isnan(points)) return 0;
    return static_cast<std::int16_t>(std::clamp(std::lround(points * kMasterUnitsPerPoint), -32768L, 32767L));
}

void writeFSP(RecordStream& out, std::uint16_t type, std::uint32_t id, std::uint32_t flags)
{
    auto fsp = out.atom(rt::FSP, type, 2);
    out.u32(id);
    out.u32(flags);
}

}  // namespace

void PropertyTable::write(RecordStream& out) const
{
    auto fopt = out.atom(rt::FOPT, static_cast<std::uint16_t>(simple_.size() + complex_.size()), 3);
    std::map<std::uint16_t, std::uint32_t> order(simple_);
    for (const auto& [id, data] : complex_) order[id] = static_cast<std::uint32_t>(data.size());
    for (const auto& [id, value] : order) {
        out.u16(id);
        out.u32(value);
    }
    for (const auto& [id, data] : complex_) out.raw(data);
}

DrawingWriter::DrawingWriter(RecordStream& out, DrawingIds& ids) : out_(out), ids_(ids)
{
    drawing_.emplace(out, rt::Drawing, 0, 0xF);
    const std::uint32_t drawingId = ids.beginDrawing();
    dg_.emplace(out, rt::DgContainer, 0, 0xF);
    fdgAt_ = out.size() + 8;
    out.atom(rt::FDG, static_cast<std::uint16_t>(drawingId), 0, std::string(8, '\0'));
    group_.emplace(out, rt::SpgrContainer, 0, 0xF);
    auto patriarch = out.container(rt::SpContainer);
    out.atom(rt::FSPGR, 0, 1, std::string(16, '\0'));
    writeFSP(out, 0, ids.nextShapeId(), fGroup | fPatriarch);
}

void DrawingWriter::shape(const ShapeSpec& shapeInfo)
{
    auto container = out_.container(rt::SpContainer);
    writeFSP(out_, shapeInfo.type, ids_.nextShapeId(), shapeInfo.flags);
    shapeInfo.properties.write(out_);
    {
        auto anchor = out_.atom(rt::ClientAnchor);
        out_.i16(masterUnits(shapeInfo.box.top));
        out_.i16(masterUnits(shapeInfo.box.left));
        out_.i16(masterUnits(shapeInfo.box.left + shapeInfo.box.width));
        out_.i16(masterUnits(shapeInfo.box.top + shapeInfo.box.height));
    }
    if (shapeInfo.exObjRef || shapeInfo.click.hyperlinkId || shapeInfo.over.hyperlinkId || shapeInfo.placeholder) {
        auto data = out_.container(rt::ClientData);
        if (shapeInfo.exObjRef) {
            auto ref = out_.atom(rt::ExObjRefAtom);
            out_.u32(shapeInfo.exObjRef);
        }
        if (shapeInfo.click.hyperlinkId) writeInteractiveInfo(out_, 0, shapeInfo.click);
        if (shapeInfo.over.hyperlinkId) writeInteractiveInfo(out_, 1, shapeInfo.over);
        if (shapeInfo.placeholder) {
            auto placeholder = out_.atom(rt::PlaceholderAtom);
            out_.i32(-1);  // no position in the layout
            out_.u8(*shapeInfo.placeholder);
            out_.u8(shapeInfo.placeholderSize);
            out_.u16(0);
        }
    }
    if (shapeInfo.text) {
        auto textbox = out_.container(rt::ClientTextbox);
        shapeInfo.text(out_);
    }
}

void DrawingWriter::finish(std::optional<std::uint32_t> background)
{
    if (!background) {
        group_.reset();
        close();
        return;
    }
    PropertyTable properties;
    properties.set(prop::fillType, 0);  // solid
    properties.set(prop::fillColor, *background);
    properties.set(prop::fillBooleans, 0x00100010);  // filled
    finish(std::move(properties));
}

void DrawingWriter::finish(PropertyTable background)
{
    group_.reset();
    {
        auto container = out_.container(rt::SpContainer);
        writeFSP(out_, shapetype::rectangle, ids_.nextShapeId(), fBackground | fHaveSpt);
        background.set(prop::lineBooleans, 0x00080000);   // no line
        background.set(prop::shapeBooleans, 0x00010001);  // fBackground
        background.write(out_);
    }
    close();
}

void DrawingWriter::close()
{
    out_.patchU32(fdgAt_, ids_.shapesInDrawing());
    out_.patchU32(fdgAt_ + 4, ids_.lastShapeId());
    dg_.reset();
    drawing_.reset();
}

}  // namespace ppt::binary
