// A compound file (OLE structured storage) in memory, made with libgsf: the
// container of a .ppt file and of the objects embedded in one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "binary/GObjectPtr.h"

namespace ppt::binary {

struct StreamEntry {
    std::string name;  // at the root storage
    std::string_view bytes;
};

// A finished compound file, held where libgsf made it: a deck's file is
// written out from there, without a copy of its megabytes.
class CompoundFileBytes {
public:
    explicit CompoundFileBytes(GPtr<GObject> memory) : memory_(std::move(memory)) {}
    std::string_view bytes() const;

private:
    GPtr<GObject> memory_;
};

// The whole file, its root storage marked with classId when one is given
// (16 bytes as stored). Raises std::runtime_error when libgsf fails.
CompoundFileBytes makeCompoundFile(const std::vector<StreamEntry>& streams, std::string_view classId = {});
inline std::string buildCompoundFile(const std::vector<StreamEntry>& streams, std::string_view classId = {})
{
    return std::string(makeCompoundFile(streams, classId).bytes());
}

}  // namespace ppt::binary
