#include "support/SysInputFile.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "RegularFile.h"
#include "support/SysFile.h"

SysInputFile::SysInputFile(const KestString& path)
{
    if (path.isEmpty()) return;
    const sysfile::OpenedRegularFile opened = sysfile::openRegularFile(SysFile::nativePath(path).data());
    fd_ = opened.fd;
    if (fd_ >= 0) left_ = static_cast<std::uint64_t>(opened.info.st_size);
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
