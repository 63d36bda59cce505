#include "ScriptFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

namespace orvel_script {
namespace {

// Closes a descriptor it owns unless it was handed on.
struct Descriptor {
    int fd = -1;
    ~Descriptor()
    {
        if (fd >= 0) ::close(fd);
    }
    int release() { return std::exchange(fd, -1); }
};

bool writeAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// A file of no name in the temporary folder: nothing is left behind, whatever ends the process.
int unnamedTemporaryFile()
{
    const char* folder = std::getenv("TMPDIR");
    if (!folder || !*folder) folder = "/tmp";
    int fd = ::open(folder, O_TMPFILE | O_RDWR | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)) return fd;
    // File systems without O_TMPFILE: a named file, unlinked at once.
    std::string name = std::string(folder) + "/orvel-script-XXXXXX";
    fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd >= 0) ::unlink(name.c_str());
    return fd;
}

// Copies what `from` gives up to its end into an unnamed temporary file.
int spool(int from, std::string& error)
{
    Descriptor copy{unnamedTemporaryFile()};
    if (copy.fd < 0) {
        error = std::string("no temporary file to hold it: ") + std::strerror(errno);
        return -1;
    }
    char buffer[64 * 1024];
    for (;;) {
        ssize_t n = ::read(from, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            error = std::strerror(errno);
            return -1;
        }
        if (n == 0) break;
        if (!writeAll(copy.fd, buffer, static_cast<std::size_t>(n))) {
            error = std::string("cannot copy it to a temporary file: ") + std::strerror(errno);
            return -1;
        }
    }
    return copy.release();
}

}  // namespace

std::unique_ptr<ScriptFile> ScriptFile::open(const std::string& name, std::string& error)
{
    const bool standardInput = name == "-";
    Descriptor opened;
    int fd = STDIN_FILENO;
    if (!standardInput) {
        opened.fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
        if (opened.fd < 0) {
            error = std::strerror(errno);
            return nullptr;
        }
        fd = opened.fd;
    }
    struct stat info;
    if (::fstat(fd, &info) != 0) {
        error = std::strerror(errno);
        return nullptr;
    }
    if (S_ISDIR(info.st_mode)) {
        error = "it is a folder";
        return nullptr;
    }
    std::unique_ptr<ScriptFile> file;
    if (S_ISREG(info.st_mode)) {
        // Standard input redirected from a file is read from where it stands.
        off_t start = standardInput ? ::lseek(fd, 0, SEEK_CUR) : 0;
        if (start < 0) start = 0;
        file = std::make_unique<ScriptFile>(standardInput ? fd : opened.release(), !standardInput,
                                            static_cast<std::uint64_t>(start));
    } else {
        int copy = spool(fd, error);
        if (copy < 0) return nullptr;
        file = std::make_unique<ScriptFile>(copy, true, 0);
    }
    // Editors on Windows start UTF-8 files with a byte order mark.
    char head[3];
    if (file->read(0, head, 3) == 3 && std::memcmp(head, "\xEF\xBB\xBF", 3) == 0) file->start_ += 3;
    return file;
}

ScriptFile::ScriptFile(int fd, bool owned, std::uint64_t start) : fd_(fd), owned_(owned), start_(start)
{
}

ScriptFile::~ScriptFile()
{
    if (owned_) ::close(fd_);
}

std::size_t ScriptFile::read(std::uint64_t offset, char* buffer, std::size_t size) const
{
    for (;;) {
        ssize_t n = ::pread(fd_, buffer, size, static_cast<off_t>(start_ + offset));
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno != EINTR) throw ScriptReadError(std::strerror(errno));
    }
}

}  // namespace orvel_script
