#include "binary/FontTable.h"

#include <algorithm>

#include "binary/RecordTypes.h"

namespace ppt::binary {
namespace {
constexpr std::size_t kFaceNameUnits = 32;  // LOGFONT's lfFaceName, terminator included
constexpr std::uint8_t kTrueType = 0x04;
constexpr std::uint8_t kVariablePitchSwiss = 0x22;
}  // namespace

FontTable::FontTable() { index(u"Arial"); }

std::uint16_t FontTable::index(const std::u16string& face)
{
    std::u16string name = face.substr(0, kFaceNameUnits - 1);
    if (auto it = indices_.find(name); it != indices_.end()) return it->second;
    const auto id = static_cast<std::uint16_t>(faces_.size());
    faces_.push_back(name);
    indices_.emplace(std::move(name), id);
    return id;
}

void FontTable::write(RecordStream& out) const
{
    auto collection = out.container(rt::FontCollection);
    for (std::size_t i = 0; i < faces_.size(); ++i) {
        auto entity = out.atom(rt::FontEntityAtom, static_cast<std::uint16_t>(i));
        out.utf16(faces_[i]);
        out.zeros(2 * (kFaceNameUnits - faces_[i].size()));
        out.u8(0);  // ANSI character set
        out.u8(0);  // not embedded
        out.u8(kTrueType);
        out.u8(kVariablePitchSwiss);
    }
}

}  // namespace ppt::binary
