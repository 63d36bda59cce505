#include "binary/PictureStore.h"
#include "binary/GObjectPtr.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <zlib.h>

#include <memory>
#include <span>

#include "binary/FormatLimit.h"
#include "binary/RecordTypes.h"
#include "media/ContentDigest.h"

namespace ppt::binary {
namespace {

constexpr std::uint8_t kBlipEmf = 2, kBlipJpeg = 5, kBlipPng = 6;
constexpr std::uint8_t kBitmapTag = 0xFF;
// The picture store's record counts its entries in 12 bits.
constexpr std::size_t kMaxPictures = 0xFFF;

std::string uidOf(const std::string& bytes)
{
    const std::string hex = pptmedia::contentDigest(
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    std::string uid;
    for (std::size_t i = 0; i + 1 < hex.size() && uid.size() < 16; i += 2)
        uid.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    uid.resize(16, '\0');
    return uid;
}

// GIF (or any picture gdk-pixbuf reads) as PNG; "" when it cannot be read.
std::string toPng(const std::string& bytes)
{
    std::unique_ptr<GdkPixbufLoader, GObjectUnref> loader(gdk_pixbuf_loader_new());
    GError* error = nullptr;
    const bool read = gdk_pixbuf_loader_write(loader.get(), reinterpret_cast<const guchar*>(bytes.data()), bytes.size(), &error) &&
                      gdk_pixbuf_loader_close(loader.get(), &error);
    if (error) g_error_free(error);
    if (!read) return {};
    GdkPixbuf* pixbuf = gdk_pixbuf_loader_get_pixbuf(loader.get());  // owned by the loader
    if (!pixbuf) return {};
    gchar* buffer = nullptr;
    gsize size = 0;
    error = nullptr;
    if (!gdk_pixbuf_save_to_buffer(pixbuf, &buffer, &size, "png", &error, nullptr)) {
        if (error) g_error_free(error);
        return {};
    }
    std::string png(buffer, size);
    g_free(buffer);
    return png;
}

std::int32_t le32(const std::string& b, std::size_t at)
{
    if (at + 4 > b.size()) return 0;
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]);
    return static_cast<std::int32_t>(v);
}

// The metafile header of an EMF blip: its bounds and size from the EMF's own header.
void writeEmfBlip(RecordStream& out, const std::string& uid, const std::string& emf)
{
    uLongf packedSize = compressBound(static_cast<uLong>(emf.size()));
    std::string packed(packedSize, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize, reinterpret_cast<const Bytef*>(emf.data()),
                  static_cast<uLong>(emf.size()), Z_DEFAULT_COMPRESSION) != Z_OK)
        packedSize = 0;
    const bool deflated = packedSize > 0;
    packed.resize(packedSize);
    auto blip = out.atom(rt::BlipEmf, 0x3D4);
    out.raw(uid);
    out.u32(static_cast<std::uint32_t>(emf.size()));
    for (std::size_t field = 8; field < 24; field += 4) out.i32(le32(emf, field));  // rclBounds
    constexpr std::int32_t kEmuPerHundredthMm = 360;
    out.i32((le32(emf, 32) - le32(emf, 24)) * kEmuPerHundredthMm);  // rclFrame width
    out.i32((le32(emf, 36) - le32(emf, 28)) * kEmuPerHundredthMm);
    out.u32(static_cast<std::uint32_t>(deflated ? packed.size() : emf.size()));
    out.u8(deflated ? 0x00 : 0xFE);
    out.u8(0xFE);  // no filter
    out.raw(deflated ? std::string_view(packed) : std::string_view(emf));
}

}  // namespace

std::uint32_t PictureStore::blipId(std::uint32_t mediaId)
{
    if (mediaId == 0 || mediaId > media_.count()) return 0;
    if (auto it = byMedia_.find(mediaId); it != byMedia_.end()) {
        if (it->second) ++entries_[it->second - 1].references;
        return it->second;
    }
    const MediaItem& item = media_.item(mediaId);
    const std::uint32_t id = store(item.bytes, item.extension);
    byMedia_.emplace(mediaId, id);
    return id;
}

std::uint32_t PictureStore::store(const std::string& bytes, const std::string& extension)
{
    std::string converted;
    const std::string* data = &bytes;
    std::uint8_t type = 0;
    if (extension == "png") {
        type = kBlipPng;
    } else if (extension == "jpeg" || extension == "jpg") {
        type = kBlipJpeg;
    } else if (extension == "emf") {
        type = kBlipEmf;
    } else {
        converted = toPng(bytes);
        if (converted.empty()) return 0;
        data = &converted;
        type = kBlipPng;
    }
    const std::string uid = uidOf(*data);
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].uid == uid) {  // the same picture reached through another media item
            ++entries_[i].references;
            return static_cast<std::uint32_t>(i + 1);
        }
    }
    if (entries_.size() == kMaxPictures)
        throw FormatLimit("the presentation has more different pictures than the 4,095 a .ppt file holds");
    const auto offset = static_cast<std::uint32_t>(pictures_.size());
    if (type == kBlipEmf) {
        writeEmfBlip(pictures_, uid, *data);
    } else {
        auto blip = pictures_.atom(type == kBlipPng ? rt::BlipPng : rt::BlipJpeg, type == kBlipPng ? 0x6E0 : 0x46A);
        pictures_.raw(uid);
        pictures_.u8(kBitmapTag);
        pictures_.raw(*data);
    }
    if (pictures_.size() > 0xFFFFFFFFu) throw FormatLimit("the pictures of the presentation take more than the 4 GB a .ppt file holds");
    entries_.push_back({type, uid, static_cast<std::uint32_t>(pictures_.size() - offset), offset, 1});
    return static_cast<std::uint32_t>(entries_.size());
}

void PictureStore::writeBStore(RecordStream& out) const
{
    if (entries_.empty()) return;
    auto store = out.container(rt::BStoreContainer, static_cast<std::uint16_t>(entries_.size()));
    for (const Entry& entry : entries_) {
        auto fbse = out.atom(rt::FBSE, entry.blipType, 2);
        out.u8(entry.blipType);  // btWin32
        out.u8(entry.blipType == kBlipEmf ? 4 : entry.blipType);  // btMacOS: PICT for a metafile
        out.raw(entry.uid);
        out.u16(0xFF);  // tag
        out.u32(entry.size);
        out.u32(entry.references);
        out.u32(entry.offset);
        out.u8(0);  // unused
        out.u8(0);  // no name
        out.u8(0);
        out.u8(0);
    }
}

}  // namespace ppt::binary
