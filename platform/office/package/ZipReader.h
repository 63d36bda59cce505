// A zip archive opened for reading, defensively: member names that could
// climb out of a folder, absurd sizes, compression ratios of a zip bomb,
// too many entries and encrypted members are refused when it is opened, and
// a member read never yields more bytes than its header declared.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "office/package/Bytes.h"

namespace office {

struct ZipLimits {
    std::uint64_t maxEntrySize = 64ull * 1024 * 1024;   // one member, uncompressed
    std::uint64_t maxTotalSize = 512ull * 1024 * 1024;  // all members together
    std::uint64_t maxEntries = 10000;
    // A member that inflates more than this many times its compressed size
    // is a bomb -- once it is larger than `ratioFloor` (small files of
    // repeated bytes compress very well and are harmless).
    double maxRatio = 200.0;
    std::uint64_t ratioFloor = 1024ull * 1024;
};

struct ZipEntry {
    std::string name;  // as stored: "ppt/slides/slide1.xml"
    std::uint64_t size = 0;
    std::uint64_t compressedSize = 0;
    std::uint64_t index = 0;
};

class ZipReader {
public:
    // Both throw ReadError: FileNotFound / FileUnreadable for the file,
    // NotAPackage for anything that is no zip archive, DamagedPackage,
    // UnsafePackage for the refusals above. `displayName` names the file.
    static ZipReader open(const std::filesystem::path& path, const std::string& displayName,
                          const ZipLimits& limits = {});
    static ZipReader fromBytes(Bytes bytes, const std::string& displayName, const ZipLimits& limits = {});

    ZipReader(ZipReader&&) noexcept;
    ZipReader& operator=(ZipReader&&) noexcept;
    ~ZipReader();

    const std::string& displayName() const { return displayName_; }
    // File members in archive order (folder entries left out).
    const std::vector<ZipEntry>& entries() const { return entries_; }
    // Case-insensitive, as package part names are.
    std::optional<ZipEntry> find(const std::string& name) const;
    bool contains(const std::string& name) const { return find(name).has_value(); }
    // The member's bytes, CRC checked. Throws DamagedPackage, or NotAPackage
    // when there is no such member.
    Bytes read(const std::string& name) const;
    Bytes read(const ZipEntry& entry) const;

private:
    struct Archive;
    ZipReader(std::unique_ptr<Archive> archive, std::string displayName, const ZipLimits& limits);

    std::unique_ptr<Archive> archive_;
    std::string displayName_;
    std::vector<ZipEntry> entries_;
    std::unordered_map<std::string, std::size_t> byLowerName_;
};

// Whether a member name is one this reader accepts (exposed for tests).
bool isSafeMemberName(const std::string& name);

// Part names compare without regard to ASCII case.
std::string lowerAscii(std::string text);

}  // namespace office
