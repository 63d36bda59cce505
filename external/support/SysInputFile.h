// A regular file opened for reading. Opening never blocks: a FIFO, socket or
// device is refused like a missing file, so a name that points at one cannot
// stall the caller. Reading stops at the size the file had when it was
// opened, so a file that keeps growing is still read in bounded time.
#pragma once

#include <cstddef>
#include <cstdint>

#include "support/KestString.h"

class SysInputFile {
public:
    explicit SysInputFile(const KestString& path);
    ~SysInputFile();
    SysInputFile(const SysInputFile&) = delete;
    SysInputFile& operator=(const SysInputFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    // Up to `size` bytes into `buffer`: the count read, 0 at the end, -1 on
    // a read error (failed() then tells so).
    long read(char* buffer, std::size_t size);
    bool failed() const { return failed_; }

private:
    int fd_ = -1;
    std::uint64_t left_ = 0;  // bytes up to the size at opening
    bool failed_ = false;
};
