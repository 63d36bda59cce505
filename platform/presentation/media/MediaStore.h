// The media of one package: each distinct content is stored once, under a
// part name made from a stem and a running number ("/ppt/media/image3.png").
// Equal content is recognised by digest and confirmed byte for byte.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "media/Bytes.h"

namespace pptmedia {

struct MediaItem {
    std::string partName;     // "/ppt/media/image1.png"
    std::string contentType;  // "image/png"
    Bytes bytes;
};

class MediaStore {
public:
    explicit MediaStore(std::string stem = "/ppt/media/image");

    struct Added {
        std::size_t index;  // into items()
        bool isNew;         // false when the content was stored before
    };
    // Stores `bytes` unless equal content is there already. `extension`
    // (no dot) and `contentType` are used only for new content.
    Added add(Bytes bytes, const std::string& extension, const std::string& contentType);

    const std::vector<MediaItem>& items() const { return items_; }
    const MediaItem& item(std::size_t index) const { return items_.at(index); }
    std::size_t size() const { return items_.size(); }

private:
    std::string stem_;
    std::vector<MediaItem> items_;
    std::unordered_multimap<std::string, std::size_t> byDigest_;
};

}  // namespace pptmedia
