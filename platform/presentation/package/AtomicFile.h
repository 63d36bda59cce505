// A file written beside its target under a temporary name and moved over the
// target only when complete (fsync, rename, fsync of the folder). Until then
// the target is untouched; a file that is not committed is removed.
#pragma once

#include <string>

namespace ppt {

class AtomicFile {
public:
    // Raises ComError (path not found, access denied ...) naming the target.
    explicit AtomicFile(std::string target);
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    ~AtomicFile();

    void write(const char* data, std::size_t size);
    std::uint64_t written() const { return written_ + buffered_.size(); }
    void commit();

    const std::string& temporaryPath() const { return temporary_; }

private:
    void flush();
    [[noreturn]] void fail(int error, const char* doing);

    std::string target_;
    std::string temporary_;
    int fd_ = -1;
    std::string buffered_;
    std::uint64_t written_ = 0;
    bool committed_ = false;
};

// The COM error for a failed file operation on path (errno value error).
[[noreturn]] void throwFileError(int error, const std::string& doing, const std::string& path);

}  // namespace ppt
