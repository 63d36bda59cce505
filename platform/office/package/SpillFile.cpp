#include "office/package/SpillFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "office/package/FileError.h"

namespace office {

SpillFile::SpillFile()
{
    const char* tmp = std::getenv("TMPDIR");
    folder_ = tmp && *tmp ? tmp : "/tmp";
    fd_ = ::open(folder_.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd_ < 0) {
        // A file system without unnamed files: a named one, unlinked at once.
        std::string path = folder_ + "/orvel-spill-XXXXXX";
        fd_ = ::mkostemp(path.data(), O_CLOEXEC);
        if (fd_ < 0) throw FileError(errno, "make a temporary file in", folder_);
        ::unlink(path.c_str());
    }
}

SpillFile::~SpillFile() { ::close(fd_); }

std::uint64_t SpillFile::append(std::string_view bytes)
{
    const std::uint64_t at = end_;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(at + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw FileError(n < 0 ? errno : ENOSPC, "write a temporary file in", folder_);
        done += static_cast<std::size_t>(n);
    }
    end_ += bytes.size();
    return at;
}

void SpillFile::read(std::uint64_t at, std::size_t size, std::string& into) const
{
    into.resize(size);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pread(fd_, into.data() + done, size - done, static_cast<off_t>(at + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw FileError(n < 0 ? errno : EIO, "read a temporary file in", folder_);
        done += static_cast<std::size_t>(n);
    }
}

}  // namespace office
