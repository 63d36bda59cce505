// A file written beside its target and moved over the target only when
// complete (fsync, link, rename, fsync of the folder). Until then the target
// is untouched. The new content lives in an unnamed file (O_TMPFILE), so a
// save that is killed leaves nothing behind; where the file system has no
// unnamed files a hidden temporary name is used and removed on failure, and
// such names left by a killed process are removed by the next save beside.

//
// Every failure throws FileError naming the target; an AtomicFile destroyed
// before commit leaves the target as it was and nothing beside it.
//
//   office::AtomicFile file(path);
//   file.write(bytes.data(), bytes.size());  // as often as needed
//   file.commit();
#pragma once

#include <cstdint>
#include <string>

#include "office/package/ByteSink.h"
#include "office/package/FileError.h"

namespace office {

class AtomicFile final : public ByteSink {
public:
    // A symbolic link is written through to the file it names; a target that
    // exists but is not a regular file (a device, a FIFO), or is read-only,
    // is refused (EACCES, with the reason). With replace false, commit keeps
    // a file that exists by then and fails with EEXIST.
    explicit AtomicFile(std::string target, bool replace = true);
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    ~AtomicFile() = default;

    void write(const char* data, std::size_t size) override;
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
    void writeThrough(const char* data, std::size_t size);  // every byte, or fail()
    std::string selfLink() const;  // the unnamed file's name in /proc, for linkat
    [[noreturn]] void fail(int error, const char* doing);

    std::string target_;
    bool replace_;
    Temporary temporary_;
    std::string buffered_;
};

// For tests: at the n-th file operation of the AtomicFiles that follow
// (opening, each call of write and each write it makes, fsync, link,
// rename; counted from 1, in this process)
// the operation fails as on a full disk, or the process is killed; 0 turns
// this off.
enum class FileFault { Fail, Kill };
void injectFileFault(long operation, FileFault fault = FileFault::Fail);

}  // namespace office
