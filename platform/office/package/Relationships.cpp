#include "office/package/Relationships.h"

namespace office {

std::string Relationships::add(const char* type, std::string target, bool external)
{
    std::string key = std::string(type) + (external ? "\n1\n" : "\n0\n") + target;
    auto [it, added] = index_.emplace(std::move(key), items_.size());
    if (added) items_.push_back({type, std::move(target), external});
    return "rId" + std::to_string(it->second + 1);
}

void Relationships::write(XmlWriter& xml) const
{
    xml.start("Relationships");
    xml.attr("xmlns", "http://schemas.openxmlformats.org/package/2006/relationships");
    for (std::size_t i = 0; i < items_.size(); ++i) {
        xml.start("Relationship");
        xml.attr("Id", "rId" + std::to_string(i + 1));
        xml.attr("Type", items_[i].type);
        xml.attr("Target", items_[i].target);
        if (items_[i].external) xml.attr("TargetMode", "External");
        xml.end("Relationship");
    }
    xml.end("Relationships");
}

}  // namespace office
