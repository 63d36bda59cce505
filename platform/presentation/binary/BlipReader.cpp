#include "binary/BlipReader.h"

#include <zlib.h>

#include "binary/RecordTypes.h"

namespace ppt::binary {
namespace {

constexpr std::uint16_t kBlipWmf = 0xF01B;
constexpr std::size_t kFbseFixedSize = 36;
constexpr std::uint32_t kMaxMetafileSize = 64u << 20;  // inflated; far above any logo or background
constexpr std::size_t kMaxPictureBytes = 256u << 20;   // all the master's pictures together

std::string inflateMetafile(std::string_view packed, std::uint32_t size, const Record& blip)
{
    if (size > kMaxMetafileSize) throw FormatError(blip.name() + " holds a metafile of " + std::to_string(size) + " bytes");
    std::string out(size, '\0');
    uLongf outSize = size;
    if (uncompress(reinterpret_cast<Bytef*>(out.data()), &outSize, reinterpret_cast<const Bytef*>(packed.data()),
                   static_cast<uLong>(packed.size())) != Z_OK || outSize != size)
        throw FormatError(blip.name() + " holds a damaged compressed metafile");
    return out;
}

}  // namespace

BlipReader::BlipReader(std::optional<Record> bstore, std::string_view pictures) : pictures_(pictures)
{
    if (bstore) entries_ = childrenOf(*bstore);
}

std::optional<int> BlipReader::picture(std::uint32_t blipId, std::vector<StoredPicture>& into)
{
    if (auto known = done_.find(blipId); known != done_.end()) return known->second;
    std::optional<int> result;
    if (blipId >= 1 && blipId <= entries_.size() && entries_[blipId - 1].type == rt::FBSE) {
        const Record& entry = entries_[blipId - 1];
        ByteReader in = entry.reader();
        in.skip(20);  // blip types, uid, tag
        const std::uint32_t size = in.u32();
        in.skip(4);  // references
        const std::uint32_t offset = in.u32();
        in.skip(1);
        const std::uint8_t nameLength = in.u8();
        in.skip(2 + std::size_t{nameLength});
        std::optional<Record> blip;
        const bool embedded = in.remaining() >= 8;
        if (embedded) {
            blip = recordAt(entry.body, kFbseFixedSize + nameLength, entry.offset + 8);  // held in the entry
        } else if (size) {
            if (offset > pictures_.size() || size > pictures_.size() - offset)
                throw FormatError(entry.name() + " points past the end of the Pictures stream");
            blip = recordAt(pictures_.substr(offset, size), 0, offset);
        }
        if (blip) {
            auto [known, isNew] = byPlace_.try_emplace({embedded, blip->offset});
            if (isNew)
                if (auto decoded = decode(*blip)) {
                    decodedBytes_ += decoded->bytes.size();
                    if (decodedBytes_ > kMaxPictureBytes) throw FormatError("its master's pictures take more than 256 MB");
                    into.push_back(std::move(*decoded));
                    known->second = static_cast<int>(into.size() - 1);
                }
            result = known->second;
        }
    }
    done_[blipId] = result;
    return result;
}

std::optional<StoredPicture> BlipReader::decode(const Record& blip) const
{
    ByteReader in = blip.reader();
    in.skip(16 * (1 + (blip.instance & 1)));  // one or two unique ids
    switch (blip.type) {
    case rt::BlipPng:
    case rt::BlipJpeg: {
        in.skip(1);  // tag
        const std::string_view data = in.take(in.remaining());
        if (blip.type == rt::BlipPng) return StoredPicture{std::string(data), "png", "image/png"};
        return StoredPicture{std::string(data), "jpeg", "image/jpeg"};
    }
    case rt::BlipEmf:
    case kBlipWmf: {
        const std::uint32_t size = in.u32();
        in.skip(24);  // bounds, size in EMU
        const std::uint32_t packedSize = in.u32();
        const std::uint8_t compression = in.u8();
        in.skip(1);  // filter
        const std::string_view data = in.take(packedSize);
        std::string bytes = compression == 0 ? inflateMetafile(data, size, blip) : std::string(data);
        if (blip.type == rt::BlipEmf) return StoredPicture{std::move(bytes), "emf", "image/x-emf"};
        return StoredPicture{std::move(bytes), "wmf", "image/x-wmf"};
    }
    default: return std::nullopt;
    }
}

}  // namespace ppt::binary
