#include "package/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include "com/ComError.h"

namespace ppt {
namespace {
constexpr std::size_t kBufferSize = 1 << 18;
}

void throwFileError(int error, const std::string& doing, const std::string& path)
{
    const std::string cause = std::strerror(error);
    switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        com::throwComError(HR_PATH_NOT_FOUND, "Presentation.SaveAs : cannot " + doing + " \"" + path +
                                                  "\": the folder does not exist (" + cause + ").");
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        com::throwComError(E_ACCESSDENIED, "Presentation.SaveAs : cannot " + doing + " \"" + path +
                                               "\": access is denied (" + cause + ").");
    case ENOSPC:
    case EDQUOT:
        com::throwComError(HR_DISK_FULL, "Presentation.SaveAs : cannot " + doing + " \"" + path +
                                             "\": the disk is full (" + cause + ").");
    default:
        com::throwComError(E_FAIL, "Presentation.SaveAs : cannot " + doing + " \"" + path + "\": " + cause + ".");
    }
}

AtomicFile::AtomicFile(std::string target) : target_(std::move(target))
{
    namespace fs = std::filesystem;
    const fs::path path(target_);
    struct stat existing {};
    const bool exists = ::stat(target_.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) throwFileError(EISDIR, "write", target_);
    // A read-only file is not replaced, whoever asks (root included).
    if (exists && (existing.st_mode & 0222) == 0)
        com::throwComError(E_ACCESSDENIED, "Presentation.SaveAs : cannot write \"" + target_ +
                                               "\": the file is read-only.");

    std::string pattern = (path.parent_path() / ("." + path.filename().string() + ".XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    fd_ = ::mkstemp(name.data());
    if (fd_ < 0) throwFileError(errno, "write", target_);
    temporary_ = name.data();
    // The new file gets the old one's permissions, or the usual ones.
    mode_t mode = 0666;
    if (exists) {
        mode = existing.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    ::fchmod(fd_, mode);
    buffered_.reserve(kBufferSize);
}

AtomicFile::~AtomicFile()
{
    if (fd_ >= 0) ::close(fd_);
    if (!committed_ && !temporary_.empty()) ::unlink(temporary_.c_str());
}

void AtomicFile::fail(int error, const char* doing) { throwFileError(error, doing, target_); }

void AtomicFile::write(const char* data, std::size_t size)
{
    if (buffered_.size() + size > kBufferSize) flush();
    if (size >= kBufferSize) {
        buffered_.assign(data, size);
        flush();
        return;
    }
    buffered_.append(data, size);
}

void AtomicFile::flush()
{
    const char* p = buffered_.data();
    std::size_t left = buffered_.size();
    while (left > 0) {
        const ssize_t n = ::write(fd_, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            fail(errno, "write");
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    written_ += buffered_.size();
    buffered_.clear();
}

void AtomicFile::commit()
{
    flush();
    if (::fsync(fd_) != 0) fail(errno, "write");
    if (::close(fd_) != 0) {
        fd_ = -1;
        fail(errno, "write");
    }
    fd_ = -1;
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) fail(errno, "replace");
    committed_ = true;
    // Make the rename itself durable.
    const std::string folder = std::filesystem::path(target_).parent_path().string();
    const int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

}  // namespace ppt
