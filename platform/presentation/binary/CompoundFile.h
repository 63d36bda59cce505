// A compound file (OLE structured storage) in memory, made with libgsf: the
// container of a .ppt file and of the objects embedded in one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ppt::binary {

struct StreamEntry {
    std::string name;  // at the root storage
    std::string_view bytes;
};

// The whole file, its root storage marked with classId when one is given
// (16 bytes as stored). Raises std::runtime_error when libgsf fails.
std::string buildCompoundFile(const std::vector<StreamEntry>& streams, std::string_view classId = {});

}  // namespace ppt::binary
