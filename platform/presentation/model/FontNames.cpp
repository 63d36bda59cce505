#include "model/TextFormat.h"

namespace ppt {

FontNames& FontNames::instance()
{
    static FontNames names;
    return names;
}

FontNames::FontNames()
{
    names_.reserve(0x10000);
    intern(u"Arial");
}

std::uint16_t FontNames::intern(const std::u16string& name)
{
    auto it = ids_.find(name);
    if (it != ids_.end()) return it->second;
    // A deck never names this many fonts; further names share the last slot
    // rather than overflow the id.
    if (names_.size() >= 0xffff) return static_cast<std::uint16_t>(names_.size() - 1);
    auto id = static_cast<std::uint16_t>(names_.size());
    names_.push_back(name);
    ids_.emplace(name, id);
    return id;
}

}  // namespace ppt
