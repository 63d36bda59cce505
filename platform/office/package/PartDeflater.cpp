#include "office/package/PartDeflater.h"

#include <libdeflate.h>

#include <algorithm>
#include <new>
#include <stdexcept>

namespace office {
namespace {

// Buffers up to this size (many times a slide) stay with their thread from
// one part to the next; a larger part (the content types of a long deck, a
// picture) gets its own, given back when it is done.
constexpr std::size_t kKeptBuffer = 256u << 10;

// libdeflate refuses a level outside 0..12.
libdeflate_compressor* newCompressor(int level)
{
    libdeflate_compressor* c = libdeflate_alloc_compressor(std::clamp(level, 0, 12));
    if (!c) throw std::bad_alloc();
    return c;
}

}  // namespace

void PartDeflater::FreeCompressor::operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }

PartDeflater::PartDeflater(int level) : compressor_(newCompressor(level)) {}
PartDeflater::~PartDeflater() = default;

void PartDeflater::beginEntry(const std::string& name)
{
    parts_->emplace_back().name = name;
    entry_.clear();
}

void PartDeflater::endEntry()
{
    deflate(entry_, parts_->back());
    if (entry_.capacity() > kKeptBuffer) std::string().swap(entry_);
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
