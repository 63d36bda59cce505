#include "support/SysInputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "support/SysFile.h"

SysInputFile::SysInputFile(const KestString& path)
{
    if (path.isEmpty()) return;
    fd_ = ::open(SysFile::nativePath(path).data(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd_ < 0) return;
    struct stat info;
    if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode) ||
        ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK) != 0) {
        ::close(fd_);
        fd_ = -1;
        return;
    }
    left_ = static_cast<std::uint64_t>(info.st_size);
}

SysInputFile::~SysInputFile()
{
    if (fd_ >= 0) ::close(fd_);
}

long SysInputFile::read(char* buffer, std::size_t size)
{
    if (fd_ < 0 || failed_) return -1;
    std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(size, left_));
    if (wanted == 0) return 0;
    ssize_t n;
    do n = ::read(fd_, buffer, wanted);
    while (n < 0 && errno == EINTR);
    if (n < 0) {
        failed_ = true;
        return -1;
    }
    // A file cut short while it is read ends early: that is a read failure too.
    if (n == 0) {
        failed_ = true;
        return -1;
    }
    left_ -= static_cast<std::uint64_t>(n);
    return static_cast<long>(n);
}
