// The pictures a .ppt's drawings refer to by blip id: the picture store's
// entries (FBSE) in the drawing group, each pointing into the Pictures
// stream or holding its blip itself. PNG and JPEG come out as stored, a
// metafile inflated; other blip kinds are left out. What a file may make
// the reader hold in pictures is bounded, however often it refers to them.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "binary/MasterDesign.h"
#include "binary/RecordReader.h"

namespace ppt::binary {

class BlipReader {
public:
    // bstore: the OfficeArtBStoreContainer, when the file has one.
    BlipReader(std::optional<Record> bstore, std::string_view pictures);
    // The picture of a 1-based blip id: its index in the list, added on
    // first use; nullopt when the id has no picture this reader keeps.
    std::optional<int> picture(std::uint32_t blipId, std::vector<StoredPicture>& into);

private:
    std::optional<StoredPicture> decode(const Record& blip) const;

    std::vector<Record> entries_;
    std::string_view pictures_;
    std::map<std::uint32_t, std::optional<int>> done_;    // by blip id
    // By where the blip lies (in its FBSE, in the Pictures stream): ids may share one.
    std::map<std::pair<bool, std::size_t>, std::optional<int>> byPlace_;
    std::size_t decodedBytes_ = 0;
};

}  // namespace ppt::binary
