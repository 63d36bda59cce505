#include "model/TextFormat.h"

namespace ppt {

FontNames& FontNames::instance()
{
    static FontNames names;
    return names;
}

FontNames::FontNames()
{
    chunks_.reserve(0x10000 / kChunk);
    intern(u"Arial");
}

std::uint16_t FontNames::intern(const std::u16string& name)
{
    auto it = ids_.find(name);
    if (it != ids_.end()) return it->second;
    // A deck never names this many fonts; further names share the last slot
    // rather than overflow the id.
    if (count_ >= 0xffff) return static_cast<std::uint16_t>(count_ - 1);
    if (count_ % kChunk == 0) chunks_.push_back(std::make_unique<std::u16string[]>(kChunk));
    auto id = static_cast<std::uint16_t>(count_++);
    chunks_[id / kChunk][id % kChunk] = name;
    ids_.emplace(name, id);
    return id;
}

}  // namespace ppt
