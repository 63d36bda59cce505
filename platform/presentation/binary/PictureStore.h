// The Pictures stream of a .ppt and the picture store (BStore) that indexes
// it: every picture the deck shows, once per content, as a PNG, JPEG or EMF
// blip (GIF is not a blip type and is stored as PNG).
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "binary/RecordStream.h"
#include "model/PresentationModel.h"

namespace ppt::binary {

class PictureStore {
public:
    explicit PictureStore(const MediaStore& media) : media_(media) {}
    // The 1-based blip id of a media item, stored on first use; 0 when the
    // item is not a picture this format holds.
    std::uint32_t blipId(std::uint32_t mediaId);
    // The same for a picture that is not in the deck's media (a template's).
    std::uint32_t blipId(const std::string& bytes, const std::string& extension) { return store(bytes, extension); }
    void writeBStore(RecordStream& out) const;  // OfficeArtBStoreContainer (nothing when empty)
    const std::string& stream() const { return pictures_.bytes(); }
    bool empty() const { return entries_.empty(); }

private:
    struct Entry {
        std::uint8_t blipType;
        std::string uid;
        std::uint32_t size;    // of the blip record, header included
        std::uint32_t offset;  // in the Pictures stream
        std::uint32_t references;
    };
    std::uint32_t store(const std::string& bytes, const std::string& extension);

    const MediaStore& media_;
    RecordStream pictures_;
    std::vector<Entry> entries_;
    std::unordered_map<std::uint32_t, std::uint32_t> byMedia_;
};

}  // namespace ppt::binary
