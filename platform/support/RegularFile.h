// Opening an input without ever blocking on it: a FIFO, socket or device
// named where a file is expected would otherwise stall its reader forever.
// Header only, shared by the support library and the stand-ins' readers.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace sysfile {

struct OpenedRegularFile {
    int fd = -1;             // blocking again, owned by the caller; -1 on failure
    int error = 0;           // errno of the failure, 0 when the file is not regular
    bool notRegular = false; // it exists but is no regular file
    struct stat info {};
};

inline OpenedRegularFile openRegularFile(const char* path)
{
    OpenedRegularFile result;
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        result.error = errno;
        return result;
    }
    if (::fstat(fd, &result.info) != 0) {
        result.error = errno;
    } else if (!S_ISREG(result.info.st_mode)) {
        result.notRegular = true;
    } else if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        result.error = errno;
    } else {
        result.fd = fd;
        return result;
    }
    ::close(fd);
    return result;
}

}  // namespace sysfile
