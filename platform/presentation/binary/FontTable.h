// The fonts a .ppt names, by index: the environment's font collection. Runs
// refer to a font by its index here.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "binary/RecordStream.h"

namespace ppt::binary {

class FontTable {
public:
    FontTable();  // "Arial" is font 0: the design's default face and the bullets'
    std::uint16_t index(const std::u16string& face);
    void write(RecordStream& out) const;  // FontCollectionContainer

private:
    std::vector<std::u16string> faces_;
    std::unordered_map<std::u16string, std::uint16_t> indices_;
};

}  // namespace ppt::binary
