#include "office/package/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string_view>

namespace office {
namespace fs = std::filesystem;
namespace {
constexpr std::size_t kBufferSize = 1 << 18;

std::atomic<long> faultCountdown{0};
std::atomic<FileFault> faultKind{FileFault::Fail};

// True when the operation about to be made is the one a test wants to fail.
bool faultNow()
{
    long left = faultCountdown.load();
    while (left > 0 && !faultCountdown.compare_exchange_weak(left, left - 1)) {
    }
    if (left == 1 && faultKind == FileFault::Kill) ::raise(SIGKILL);
    return left == 1;
}

// A save killed between naming its file and the rename leaves that hidden
// name (".deck.pptx.<pid>-<n>"): the next save beside it removes those whose
// process is gone.
void removeAbandonedNames(const std::string& folder, const std::string& target)
{
    const std::string prefix = "." + fs::path(target).filename().string() + ".";
    // opendir, not std::filesystem: its non-throwing iterator ends the process when memory runs out.
    std::unique_ptr<DIR, int (*)(DIR*)> listing(::opendir(folder.c_str()), ::closedir);
    if (!listing) return;
    while (const dirent* entry = ::readdir(listing.get())) {
        const std::string_view name = entry->d_name;
        if (!name.starts_with(prefix)) continue;
        const std::string_view tail = name.substr(prefix.size());
        const std::size_t dash = tail.find('-');
        if (dash == 0 || dash == std::string_view::npos || tail.find_first_not_of("0123456789-") != std::string_view::npos)
            continue;
        const long owner = std::strtol(tail.data(), nullptr, 10);
        if (owner <= 0 || owner > INT_MAX) continue;
        if (::kill(static_cast<pid_t>(owner), 0) != 0 && errno == ESRCH) ::unlinkat(::dirfd(listing.get()), entry->d_name, 0);
    }
}

// The file a name stands for once symbolic links are followed (also a link
// whose target does not exist yet: the save creates that target).
std::string followLinks(std::string path)
{
    for (int hops = 0; hops < 40; ++hops) {
        struct stat link {};
        if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return path;
        std::error_code error;
        fs::path next = fs::read_symlink(path, error);
        if (error) return path;
        if (next.is_relative()) next = fs::path(path).parent_path() / next;
        path = next.lexically_normal().string();
    }
    throw FileError(ELOOP, "write", path);
}

std::string folderOf(const std::string& path)
{
    const std::string folder = fs::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}
}  // namespace

void injectFileFault(long operation, FileFault fault)
{
    faultKind = fault;
    faultCountdown = operation;
}

AtomicFile::Temporary::~Temporary()
{
    if (fd >= 0) ::close(fd);
    if (!name.empty()) ::unlink(name.c_str());
}

AtomicFile::AtomicFile(std::string target, bool replace) : target_(followLinks(std::move(target))), replace_(replace)
{
    struct stat existing {};
    const bool exists = ::stat(target_.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) throw FileError(EISDIR, "write", target_);
    // Replacing a device or a FIFO by a file would break what else uses it.
    if (exists && !S_ISREG(existing.st_mode))
        throw FileError(EACCES, "write", target_, "it is not a regular file");
    // A read-only file is not replaced, whoever asks (root included).
    if (exists && (existing.st_mode & 0222) == 0)
        throw FileError(EACCES, "write", target_, "the file is read-only");
    buffered_.reserve(kBufferSize);

    // The new file gets the old one's permissions, or the usual ones.
    mode_t mode = 0666;
    if (exists) {
        mode = existing.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    removeAbandonedNames(folderOf(target_), target_);
    openTemporary(folderOf(target_), mode);
}

void AtomicFile::openTemporary(const std::string& folder, unsigned mode)
{
    if (faultNow()) fail(ENOSPC, "write");
    temporary_.fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, static_cast<mode_t>(mode));
    if (temporary_.fd >= 0) {
        ::fchmod(temporary_.fd, static_cast<mode_t>(mode));  // exactly the old file's, umask aside
        return;
    }
    // File systems without unnamed files: a hidden name, removed unless committed.
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) fail(errno, "write");
    temporary_.name = (fs::path(folder) / ("." + fs::path(target_).filename().string() + ".XXXXXX")).string();
    temporary_.fd = ::mkstemp(temporary_.name.data());
    if (temporary_.fd < 0) {
        const int error = errno;
        temporary_.name.clear();
        fail(error, "write");
    }
    ::fchmod(temporary_.fd, static_cast<mode_t>(mode));
}

std::string AtomicFile::selfLink() const { return "/proc/self/fd/" + std::to_string(temporary_.fd); }

void AtomicFile::fail(int error, const char* doing) { throw FileError(error, doing, target_); }

void AtomicFile::write(const char* data, std::size_t size)
{
    // Each write a fault point, buffered or not: a failure anywhere in the stream of a save.
    if (faultNow()) fail(ENOSPC, "write");
    if (buffered_.size() + size > kBufferSize) flush();
    if (size >= kBufferSize) {
        writeThrough(data, size);  // a whole .ppt: no copy of its megabytes
        return;
    }
    buffered_.append(data, size);
}

void AtomicFile::flush()
{
    writeThrough(buffered_.data(), buffered_.size());
    buffered_.clear();
}

void AtomicFile::writeThrough(const char* p, std::size_t left)
{
    while (left > 0) {
        if (faultNow()) fail(ENOSPC, "write");
        const ssize_t n = ::write(temporary_.fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            fail(errno, "write");
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
}

void AtomicFile::commit()
{
    flush();
    if (faultNow()) fail(ENOSPC, "write");
    if (::fsync(temporary_.fd) != 0) fail(errno, "write");
    if (!replace_) {
        // A link fails where a file of that name exists: nothing is replaced.
        if (faultNow()) fail(ENOSPC, "write");
        const bool linked = temporary_.name.empty()
                                ? ::linkat(AT_FDCWD, selfLink().c_str(), AT_FDCWD, target_.c_str(), AT_SYMLINK_FOLLOW) == 0
                                : ::link(temporary_.name.c_str(), target_.c_str()) == 0;
        if (!linked && errno == EEXIST)
            throw FileError(EEXIST, "write", target_, "it exists already");
        if (!linked) fail(errno, "write");
        // A named temporary is removed by its destructor: the target is the other name.
    } else {
        if (temporary_.name.empty()) {
            // The unnamed file gets a hidden name for the moment of the rename.
            const std::string stem =
                (fs::path(folderOf(target_)) / ("." + fs::path(target_).filename().string())).string();
            const std::string self = selfLink();
            std::string name;
            for (unsigned attempt = 0; name.empty(); ++attempt) {
                std::string candidate = stem + "." + std::to_string(::getpid()) + "-" + std::to_string(attempt);
                if (faultNow()) fail(ENOSPC, "write");
                if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW) == 0)
                    name = std::move(candidate);
                else if (errno != EEXIST || attempt > 1000)
                    fail(errno, "write");
            }
            temporary_.name = std::move(name);
        }
        if (faultNow()) fail(ENOSPC, "replace");
        if (::rename(temporary_.name.c_str(), target_.c_str()) != 0) fail(errno, "replace");
        temporary_.name.clear();  // it is the target now
    }
    // Make the rename itself durable.
    const int dir = ::open(folderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

}  // namespace office
