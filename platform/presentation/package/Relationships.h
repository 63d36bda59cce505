// The relationships of one part, numbered rId1, rId2 ... in the order they
// are added; an equal relationship added again gives the id it already has.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "package/XmlWriter.h"

namespace ppt {

class Relationships {
public:
    std::string add(const char* type, std::string target, bool external = false);
    bool empty() const { return items_.empty(); }
    void write(XmlWriter& xml) const;

private:
    struct Item {
        const char* type;
        std::string target;
        bool external;
    };
    std::vector<Item> items_;
    std::unordered_map<std::string, std::size_t> index_;  // type, target and mode -> position
};

}  // namespace ppt
