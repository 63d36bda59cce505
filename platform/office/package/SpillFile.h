// Bytes set aside in an unnamed temporary file, so that what is made long
// before it is needed does not wait in memory. The file has no name: no one
// else sees it, and it is gone when closed, whatever happens to the process.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace office {

class SpillFile {
public:
    // In $TMPDIR, or /tmp. Throws FileError.
    SpillFile();
    ~SpillFile();
    SpillFile(const SpillFile&) = delete;
    SpillFile& operator=(const SpillFile&) = delete;

    // Where the bytes start in the file. Throws FileError (a full disk).
    std::uint64_t append(std::string_view bytes);
    // Replaces `into` with `size` bytes from `at`; safe from several threads
    // at once. Throws FileError.
    void read(std::uint64_t at, std::size_t size, std::string& into) const;

private:
    int fd_ = -1;
    std::string folder_;  // for messages
    std::uint64_t end_ = 0;
};

}  // namespace office
