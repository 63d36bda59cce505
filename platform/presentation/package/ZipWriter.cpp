#include "package/ZipWriter.h"

#include <algorithm>
#include <ctime>

#include "com/ComError.h"

namespace ppt {
namespace {

constexpr std::uint16_t kFlags = 0x0008 | 0x0800;  // data descriptor follows; UTF-8 names
constexpr std::uint64_t kLimit32 = 0xffffffffu;

void put16(std::string& s, std::uint16_t v)
{
    s.push_back(static_cast<char>(v & 0xff));
    s.push_back(static_cast<char>(v >> 8));
}
void put32(std::string& s, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xff));
}
void put64(std::string& s, std::uint64_t v)
{
    for (int i = 0; i < 8; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xff));
}

}  // namespace

ZipWriter::ZipWriter(AtomicFile& out, int level) : out_(out), buffer_(1 << 17)
{
    if (deflateInit2(&stream_, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        com::throwComError(E_OUTOFMEMORY, "Presentation.SaveAs : the compressor could not start.");
    streamReady_ = true;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    dosTime_ = static_cast<std::uint16_t>((local.tm_hour << 11) | (local.tm_min << 5) | (local.tm_sec / 2));
    dosDate_ = static_cast<std::uint16_t>(((local.tm_year - 80) << 9) | ((local.tm_mon + 1) << 5) | local.tm_mday);
}

ZipWriter::~ZipWriter()
{
    if (streamReady_) deflateEnd(&stream_);
}

void ZipWriter::beginEntry(const std::string& name)
{
    Entry entry;
    entry.name = name;
    entry.offset = out_.written();
    if (entry.offset > kLimit32) com::throwComError(E_FAIL, "Presentation.SaveAs : the presentation is too large.");
    std::string header;
    put32(header, 0x04034b50);
    put16(header, 20);
    put16(header, kFlags);
    put16(header, 8);
    put16(header, dosTime_);
    put16(header, dosDate_);
    put32(header, 0);
    put32(header, 0);
    put32(header, 0);
    put16(header, static_cast<std::uint16_t>(name.size()));
    put16(header, 0);
    header += name;
    out_.write(header.data(), header.size());
    entries_.push_back(std::move(entry));
    deflateReset(&stream_);
    inEntry_ = true;
}

void ZipWriter::deflateSome(int flush)
{
    do {
        stream_.next_out = reinterpret_cast<Bytef*>(buffer_.data());
        stream_.avail_out = static_cast<uInt>(buffer_.size());
        const int status = deflate(&stream_, flush);
        if (status == Z_STREAM_ERROR) com::throwComError(E_FAIL, "Presentation.SaveAs : compression failed.");
        const std::size_t produced = buffer_.size() - stream_.avail_out;
        if (produced) out_.write(buffer_.data(), produced);
        entries_.back().compressed += produced;
        if (flush == Z_FINISH && status == Z_STREAM_END) break;
    } while (stream_.avail_out == 0 || (flush == Z_FINISH));
}

void ZipWriter::write(const char* data, std::size_t size)
{
    Entry& entry = entries_.back();
    while (size > 0) {
        const auto chunk = static_cast<uInt>(std::min<std::size_t>(size, 1u << 30));
        entry.crc = static_cast<std::uint32_t>(crc32(entry.crc, reinterpret_cast<const Bytef*>(data), chunk));
        stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
        stream_.avail_in = chunk;
        deflateSome(Z_NO_FLUSH);
        entry.size += chunk;
        totalIn_ += chunk;
        data += chunk;
        size -= chunk;
    }
}

void ZipWriter::endEntry()
{
    stream_.next_in = nullptr;
    stream_.avail_in = 0;
    deflateSome(Z_FINISH);
    inEntry_ = false;
    const Entry& entry = entries_.back();
    if (entry.size > kLimit32 || entry.compressed > kLimit32)
        com::throwComError(E_FAIL, "Presentation.SaveAs : a part of the presentation is too large.");
    std::string descriptor;
    put32(descriptor, 0x08074b50);
    put32(descriptor, entry.crc);
    put32(descriptor, static_cast<std::uint32_t>(entry.compressed));
    put32(descriptor, static_cast<std::uint32_t>(entry.size));
    out_.write(descriptor.data(), descriptor.size());
}

void ZipWriter::finish()
{
    const std::uint64_t directoryStart = out_.written();
    std::string record;
    for (const Entry& e : entries_) {
        record.clear();
        put32(record, 0x02014b50);
        put16(record, 20);
        put16(record, 20);
        put16(record, kFlags);
        put16(record, 8);
        put16(record, dosTime_);
        put16(record, dosDate_);
        put32(record, e.crc);
        put32(record, static_cast<std::uint32_t>(e.compressed));
        put32(record, static_cast<std::uint32_t>(e.size));
        put16(record, static_cast<std::uint16_t>(e.name.size()));
        put16(record, 0);
        put16(record, 0);
        put16(record, 0);
        put16(record, 0);
        put32(record, 0);
        put32(record, static_cast<std::uint32_t>(e.offset));
        record += e.name;
        out_.write(record.data(), record.size());
    }
    const std::uint64_t directoryEnd = out_.written();
    const std::uint64_t directorySize = directoryEnd - directoryStart;
    if (directoryEnd > kLimit32) com::throwComError(E_FAIL, "Presentation.SaveAs : the presentation is too large.");
    const std::uint64_t count = entries_.size();
    record.clear();
    if (count >= 0xffff) {
        put32(record, 0x06064b50);
        put64(record, 44);
        put16(record, 45);
        put16(record, 45);
        put32(record, 0);
        put32(record, 0);
        put64(record, count);
        put64(record, count);
        put64(record, directorySize);
        put64(record, directoryStart);
        put32(record, 0x07064b50);
        put32(record, 0);
        put64(record, directoryEnd);
        put32(record, 1);
    }
    const auto shortCount = static_cast<std::uint16_t>(count >= 0xffff ? 0xffff : count);
    put32(record, 0x06054b50);
    put16(record, 0);
    put16(record, 0);
    put16(record, shortCount);
    put16(record, shortCount);
    put32(record, static_cast<std::uint32_t>(directorySize));
    put32(record, static_cast<std::uint32_t>(directoryStart));
    put16(record, 0);
    out_.write(record.data(), record.size());
}

}  // namespace ppt
