#include "office/package/ZipWriter.h"

#include <algorithm>
#include <stdexcept>

namespace office {
namespace {

constexpr std::uint16_t kFlags = 0x0800;  // UTF-8 names
constexpr std::uint64_t kLimit32 = 0xffffffffu;
// What may wait for compression or for its turn in the archive.
constexpr std::uint64_t kQueuedBytesLimit = 1u << 20;
constexpr std::size_t kQueuedJobsLimit = 16;
// A large part is collected in pieces of this size: a string that doubles
// would hold up to twice the part, and three times while it moves.
constexpr std::size_t kPieceSize = 256u << 10;

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

ZipWriter::ZipWriter(ByteSink& out, int level, std::time_t modified, unsigned threads)
    : out_(out), pool_(level, threads)
{
    std::tm local{};
    localtime_r(&modified, &local);
    dosTime_ = static_cast<std::uint16_t>((local.tm_hour << 11) | (local.tm_min << 5) | (local.tm_sec / 2));
    dosDate_ = static_cast<std::uint16_t>(((local.tm_year - 80) << 9) | ((local.tm_mon + 1) << 5) | local.tm_mday);
}

void ZipWriter::beginEntry(const std::string& name)
{
    name_ = name;
    pieces_.assign(1, std::string());
}

void ZipWriter::write(const char* data, std::size_t size)
{
    while (size > 0) {
        if (pieces_.back().size() == kPieceSize) pieces_.emplace_back().reserve(kPieceSize);
        std::string& piece = pieces_.back();
        const std::size_t take = std::min(size, kPieceSize - piece.size());
        if (piece.capacity() < piece.size() + take)
            piece.reserve(std::min(kPieceSize, std::max(piece.size() + take, 2 * piece.capacity())));
        piece.append(data, take);
        data += take;
        size -= take;
    }
}

void ZipWriter::endEntry()
{
    std::string whole = std::move(pieces_.front());
    if (pieces_.size() > 1) {
        std::size_t total = whole.size();
        for (std::size_t i = 1; i < pieces_.size(); ++i) total += pieces_[i].size();
        if (total > kLimit32) throw std::length_error("a part of the package is too large");
        whole.reserve(total);
        for (std::size_t i = 1; i < pieces_.size(); ++i) {
            whole += pieces_[i];
            std::string().swap(pieces_[i]);
        }
    }
    pieces_.assign(1, std::string());
    const std::uint64_t weight = whole.size();
    pool_.submit([name = std::move(name_), whole = std::move(whole)](PartSink& sink) { sink.add(name, whole); }, weight);
    keepQueueBounded();
}

void ZipWriter::addBatch(Batch batch)
{
    pool_.submit(std::move(batch));
    keepQueueBounded();
}

// Bounded memory: the oldest jobs are written once enough are queued.
void ZipWriter::keepQueueBounded()
{
    while (pool_.queuedBytes() > kQueuedBytesLimit || pool_.queued() > kQueuedJobsLimit || pool_.oldestReady())
        writeOldest();
}

void ZipWriter::writeBatches()
{
    while (pool_.queued() > 0) writeOldest();
}

void ZipWriter::dropBatches() noexcept { pool_.drop(); }

void ZipWriter::writeOldest()
{
    std::string header;
    for (DeflatedPart& part : pool_.takeOldest()) {
        if (part.name.size() > 0xffff) throw std::length_error("a part's name is too long for the package");
        const Entry entry{names_.size(), static_cast<std::uint16_t>(part.name.size()), part.crc, part.bytes.size(), part.size,
                          out_.written};
        if (entry.offset > kLimit32 || entry.compressed > kLimit32) throw std::length_error("the package is too large");
        header.clear();
        put32(header, 0x04034b50);
        putSharedFields(header, entry);
        put16(header, 0);  // extra field length
        header += part.name;
        out_.write(header.data(), header.size());
        out_.write(part.bytes.data(), part.bytes.size());
        names_ += part.name;
        entries_.push_back(entry);
    }
}

// What the local header and the central directory record both say of an entry.
void ZipWriter::putSharedFields(std::string& s, const Entry& e) const
{
    put16(s, 20);  // version needed
    put16(s, kFlags);
    put16(s, 8);  // deflate
    put16(s, dosTime_);
    put16(s, dosDate_);
    put32(s, e.crc);
    put32(s, static_cast<std::uint32_t>(e.compressed));
    put32(s, static_cast<std::uint32_t>(e.size));
    put16(s, e.nameLength);
}

void ZipWriter::add(const std::string& name, std::string_view data)
{
    beginEntry(name);
    write(data.data(), data.size());
    endEntry();
}

void ZipWriter::finish()
{
    writeBatches();
    const std::uint64_t directoryStart = out_.written;
    std::string record;
    for (const Entry& e : entries_) {
        record.clear();
        put32(record, 0x02014b50);
        put16(record, 20);  // made by
        putSharedFields(record, e);
        put16(record, 0);  // extra field length
        put16(record, 0);  // comment length
        put16(record, 0);  // disk
        put16(record, 0);  // internal attributes
        put32(record, 0);  // external attributes
        put32(record, static_cast<std::uint32_t>(e.offset));
        record += nameOf(e);
        out_.write(record.data(), record.size());
    }
    const std::uint64_t directoryEnd = out_.written;
    const std::uint64_t directorySize = directoryEnd - directoryStart;
    if (directoryEnd > kLimit32) throw std::length_error("the package is too large");
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

}  // namespace office
