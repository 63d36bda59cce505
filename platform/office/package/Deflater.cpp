#include "office/package/Deflater.h"

#include <algorithm>
#include <new>
#include <stdexcept>

namespace office {

Deflater::Deflater(int level) : buffer_(1 << 17)
{
    if (deflateInit2(&stream_, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) throw std::bad_alloc();
}

Deflater::~Deflater() { deflateEnd(&stream_); }

void Deflater::reset()
{
    deflateReset(&stream_);
    crc_ = 0;
    size_ = compressed_ = 0;
}

void Deflater::deflateSome(int flush, ByteSink& out)
{
    do {
        stream_.next_out = reinterpret_cast<Bytef*>(buffer_.data());
        stream_.avail_out = static_cast<uInt>(buffer_.size());
        const int status = deflate(&stream_, flush);
        if (status == Z_STREAM_ERROR) throw std::runtime_error("compression failed");
        const std::size_t produced = buffer_.size() - stream_.avail_out;
        if (produced) out.write(buffer_.data(), produced);
        compressed_ += produced;
        if (flush == Z_FINISH && status == Z_STREAM_END) break;
    } while (stream_.avail_out == 0 || flush == Z_FINISH);
}

void Deflater::add(const char* data, std::size_t size, ByteSink& out)
{
    while (size > 0) {
        const auto chunk = static_cast<uInt>(std::min<std::size_t>(size, 1u << 30));
        crc_ = static_cast<std::uint32_t>(crc32(crc_, reinterpret_cast<const Bytef*>(data), chunk));
        stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
        stream_.avail_in = chunk;
        deflateSome(Z_NO_FLUSH, out);
        size_ += chunk;
        data += chunk;
        size -= chunk;
    }
}

void Deflater::finish(ByteSink& out)
{
    stream_.next_in = nullptr;
    stream_.avail_in = 0;
    deflateSome(Z_FINISH, out);
}

}  // namespace office
