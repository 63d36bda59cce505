#include "media/ContentDigest.h"

#include <algorithm>
#include <memory>

#include <glib.h>

namespace pptmedia {
namespace {

struct ChecksumFree {
    void operator()(GChecksum* c) const { g_checksum_free(c); }
};

}  // namespace

std::string contentDigest(std::span<const std::uint8_t> data)
{
    std::unique_ptr<GChecksum, ChecksumFree> checksum(g_checksum_new(G_CHECKSUM_SHA256));
    // g_checksum_update takes a gssize: feed large buffers in pieces.
    constexpr std::size_t kPiece = 1u << 30;
    for (std::size_t offset = 0; offset < data.size(); offset += kPiece) {
        std::size_t n = std::min(kPiece, data.size() - offset);
        g_checksum_update(checksum.get(), data.data() + offset, static_cast<gssize>(n));
    }
    return g_checksum_get_string(checksum.get());
}

}  // namespace pptmedia
