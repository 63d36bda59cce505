#include "media/MediaStore.h"

#include "media/ContentDigest.h"

namespace pptmedia {

MediaStore::MediaStore(std::string stem) : stem_(std::move(stem)) {}

MediaStore::Added MediaStore::add(Bytes bytes, const std::string& extension, const std::string& contentType)
{
    std::string digest = contentDigest(bytes);
    auto [first, last] = byDigest_.equal_range(digest);
    for (auto it = first; it != last; ++it)
        if (items_[it->second].bytes == bytes) return {it->second, false};

    std::size_t index = items_.size();
    items_.push_back({stem_ + std::to_string(index + 1) + "." + extension, contentType, std::move(bytes)});
    byDigest_.emplace(std::move(digest), index);
    return {index, true};
}

}  // namespace pptmedia
