// The relationships of one part (a .rels part), numbered rId1, rId2 ... in
// the order they are added; an equal relationship added again gives the id
// it already has.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "office/package/XmlWriter.h"

namespace office {

class Relationships {
public:
    struct Relationship {
        const char* type;  // one of the constants of OpcNames.h
        std::string target;
        bool external;
    };

    std::string add(const char* type, std::string target, bool external = false);
    bool empty() const { return items_.empty(); }
    // In the order of their ids.
    const std::vector<Relationship>& items() const { return items_; }
    // The <Relationships> element (the caller writes the declaration).
    void write(XmlWriter& xml) const;

private:
    std::vector<Relationship> items_;
    std::unordered_map<std::string, std::size_t> index_;  // type, target and mode -> position
};

}  // namespace office
