// A presentation larger than the binary format can describe: more drawings
// than its 12-bit drawing ids number, more pictures than its picture store
// counts, streams past 4 GB. SaveAs reports it as the reason the file it was
// asked for cannot be written; the words say which limit and how far over.
#pragma once

#include <stdexcept>

namespace ppt::binary {

class FormatLimit : public std::length_error {
public:
    using std::length_error::length_error;
};

}  // namespace ppt::binary
