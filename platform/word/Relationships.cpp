#include "Relationships.h"

#include "XmlWriter.h"

namespace word {

std::string Relationships::add(std::string_view type, std::string_view target, bool external)
{
    std::string id = "rId" + std::to_string(entries_.size() + 1);
    entries_.push_back({id, std::string(type), std::string(target), external});
    return id;
}

std::string Relationships::xml() const
{
    XmlWriter w;
    w.open("Relationships").attr("xmlns", "http://schemas.openxmlformats.org/package/2006/relationships");
    for (const Entry& e : entries_) {
        w.open("Relationship").attr("Id", e.id).attr("Type", e.type).attr("Target", e.target);
        if (e.external) w.attr("TargetMode", "External");
        w.close();
    }
    return w.finish();
}

}  // namespace word
