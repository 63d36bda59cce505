#include "office/package/PartDeflater.h"

#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <new>
#include <stdexcept>

namespace office {
namespace {

// Buffers up to this size (many times a slide) stay with their thread from
// one part to the next; a larger part (the content types of a long deck, a
// picture) gets its own, given back when it is done.
constexpr std::size_t kKeptBuffer = 256u << 10;

// A part is deflated whole up to this size, and as it comes past it.
constexpr std::size_t kStreamAt = 1u << 20;
constexpr std::uint64_t kPartLimit = 0xffffffffu;

// libdeflate refuses a level outside 0..12.
libdeflate_compressor* newCompressor(int level)
{
    libdeflate_compressor* c = libdeflate_alloc_compressor(std::clamp(level, 0, 12));
    if (!c) throw std::bad_alloc();
    return c;
}

}  // namespace

void PartDeflater::FreeCompressor::operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }

struct PartDeflater::Stream {
    z_stream z{};
    explicit Stream(int level)
    {
        if (deflateInit2(&z, std::clamp(level, 1, 9), Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
            throw std::bad_alloc();
    }
    ~Stream() { deflateEnd(&z); }
    Stream(const Stream&) = delete;
    Stream& operator=(const Stream&) = delete;
};

PartDeflater::PartDeflater(int level) : level_(level), compressor_(newCompressor(level)) {}
PartDeflater::~PartDeflater() = default;

void PartDeflater::beginEntry(const std::string& name)
{
    parts_->emplace_back().name = name;
    entry_.clear();
    stream_.reset();  // one a failed part left
}

void PartDeflater::write(const char* data, std::size_t size)
{
    entry_.append(data, size);
    appended();
}

void PartDeflater::appended()
{
    if (entry_.size() >= kStreamAt) stream(false);
}

void PartDeflater::endEntry()
{
    if (stream_)
        stream(true);
    else
        deflate(entry_, parts_->back());
    if (entry_.capacity() > kKeptBuffer) std::string().swap(entry_);
}

void PartDeflater::stream(bool finish)
{
    DeflatedPart& part = parts_->back();
    if (!stream_) stream_ = std::make_unique<Stream>(level_);
    if (part.size + entry_.size() > kPartLimit) throw std::length_error("a part of the package is too large");
    part.crc = static_cast<std::uint32_t>(libdeflate_crc32(part.crc, entry_.data(), entry_.size()));
    part.size += entry_.size();
    z_stream& z = stream_->z;
    z.next_in = reinterpret_cast<Bytef*>(entry_.data());
    z.avail_in = static_cast<uInt>(entry_.size());
    for (;;) {
        const std::size_t had = part.bytes.size();
        part.bytes.resize(had + std::max<std::size_t>(64u << 10, z.avail_in / 2));
        z.next_out = reinterpret_cast<Bytef*>(part.bytes.data() + had);
        z.avail_out = static_cast<uInt>(part.bytes.size() - had);
        const int result = ::deflate(&z, finish ? Z_FINISH : Z_NO_FLUSH);
        part.bytes.resize(part.bytes.size() - z.avail_out);
        if (result == Z_STREAM_ERROR) throw std::logic_error("the part's deflate stream broke");
        if (finish ? result == Z_STREAM_END : z.avail_in == 0 && z.avail_out > 0) break;
    }
    entry_.clear();
    if (finish) {
        stream_.reset();
        part.bytes.shrink_to_fit();
    }
}

void PartDeflater::add(const std::string& name, std::string_view data)
{
    parts_->emplace_back().name = name;
    deflate(data, parts_->back());
}

void PartDeflater::deflate(std::string_view in, DeflatedPart& part)
{
    if (in.size() > 0xffffffffu) throw std::length_error("a part of the package is too large");
    libdeflate_compressor* c = compressor_.get();
    part.size = in.size();
    part.crc = static_cast<std::uint32_t>(libdeflate_crc32(0, in.data(), in.size()));
    const std::size_t bound = libdeflate_deflate_compress_bound(c, in.size());
    if (bound <= kKeptBuffer) {
        if (scratch_.size() < bound) scratch_.resize(bound);
        const std::size_t made = libdeflate_deflate_compress(c, in.data(), in.size(), scratch_.data(), scratch_.size());
        part.bytes.assign(scratch_.data(), made);
        return;
    }
    // XML shrinks well below half; only what does not compress (pictures)
    // needs the full bound and a second pass.
    std::string& out = part.bytes;
    out.resize(in.size() / 2 + 1024);
    std::size_t made = libdeflate_deflate_compress(c, in.data(), in.size(), out.data(), out.size());
    if (made == 0) {
        out.resize(bound);
        made = libdeflate_deflate_compress(c, in.data(), in.size(), out.data(), out.size());
    }
    out.resize(made);
}

}  // namespace office
