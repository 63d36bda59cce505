// A file written beside its target and moved over the target only when
// complete (fsync, link, rename, fsync of the folder). Until then the target
// is untouched. The new content lives in an unnamed file (O_TMPFILE), so a
// save that is killed leaves nothing behind; where the file system has no
// unnamed files a hidden temporary name is used and removed on failure.
#pragma once

#include <cstdint>
#include <string>

#include "com/ComTypes.h"

namespace ppt {

class AtomicFile {
public:
    // Raises ComError (path not found, access denied ...) naming the target.
    // A symbolic link is written through to the file it names; a target that
    // exists but is not a regular file (a device, a FIFO) is refused. With
    // replace false, commit keeps a file that exists by then and raises
    // HR_FILE_EXISTS.
    explicit AtomicFile(std::string target, bool replace = true);
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    ~AtomicFile() = default;

    void write(const char* data, std::size_t size);
    std::uint64_t written() const { return written_ + buffered_.size(); }
    void commit();

    // The name of the file while it is written ("" while it has none).
    const std::string& temporaryPath() const { return temporary_.name; }

private:
    // The file being written: closed, and its name removed, unless committed.
    struct Temporary {
        int fd = -1;
        std::string name;
        Temporary() = default;
        Temporary(const Temporary&) = delete;
        Temporary& operator=(const Temporary&) = delete;
        ~Temporary();
    };

    void openTemporary(const std::string& folder, unsigned mode);
    void flush();
    std::string selfLink() const;  // the unnamed file's name in /proc, for linkat
    [[noreturn]] void fail(int error, const char* doing);

    std::string target_;
    bool replace_;
    Temporary temporary_;
    std::string buffered_;
    std::uint64_t written_ = 0;
};

constexpr HRESULT HR_FILE_EXISTS = HRESULT_FROM_WIN32(80);  // ERROR_FILE_EXISTS

// The COM error for a failed file operation on path (errno value error).
[[noreturn]] void throwFileError(int error, const std::string& doing, const std::string& path);

// For tests: at the n-th file operation of the saves that follow (opening,
// each write, fsync, link, rename; counted from 1) the save fails as on a
// full disk, or the process is killed; 0 turns this off.
enum class FileFault { Fail, Kill };
void injectFileFault(long operation, FileFault fault = FileFault::Fail);

}  // namespace ppt
