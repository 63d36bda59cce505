// Reading a whole file into memory, with a size limit and clear errors.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "office/package/Bytes.h"

namespace office {

// Pictures and embedded documents above this size are refused.
inline constexpr std::uint64_t kDefaultFileLimit = 512ull * 1024 * 1024;

// Reads `path`; `displayName` is how messages name the file (the name the
// caller was given). Throws ReadError: FileNotFound, FileUnreadable, TooLarge.
Bytes readFileBytes(const std::filesystem::path& path, const std::string& displayName,
                    std::uint64_t limit = kDefaultFileLimit);

// Up to `count` leading bytes (fewer for a shorter file); same errors.
Bytes readFileHead(const std::filesystem::path& path, const std::string& displayName, std::size_t count);

}  // namespace office
