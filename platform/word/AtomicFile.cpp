#include "AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <string>

namespace word {
namespace {

std::error_code lastError()
{
    return {errno, std::generic_category()};
}

// Unique among processes (pid) and among calls (counter, clock).
std::filesystem::path temporaryBeside(const std::filesystem::path& target, int attempt)
{
    static std::atomic<unsigned> counter{0};
    auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    std::string name = "." + target.filename().string() + ".tmp" + std::to_string(getpid()) + "-" +
                       std::to_string(counter++) + "-" + std::to_string((ticks + attempt) & 0xFFFFF);
    return target.parent_path() / name;
}

}  // namespace

std::error_code writeFileAtomically(const std::filesystem::path& target, std::string_view bytes)
{
    if (target.empty() || !target.has_filename()) return std::make_error_code(std::errc::invalid_argument);
    struct stat existing {};
    bool replacing = ::stat(target.c_str(), &existing) == 0;
    if (replacing && S_ISDIR(existing.st_mode)) return std::make_error_code(std::errc::is_a_directory);

    std::filesystem::path temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = temporaryBeside(target, attempt);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);  // umask applies
        if (fd < 0 && errno != EEXIST) return lastError();
    }
    if (fd < 0) return std::make_error_code(std::errc::file_exists);

    std::error_code error;
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0 && !error) {
        ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno != EINTR) error = lastError();
            continue;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    if (!error && replacing) ::fchmod(fd, existing.st_mode & 07777);  // keep the old file's permissions
    if (!error && ::fsync(fd) != 0) error = lastError();
    if (::close(fd) != 0 && !error) error = lastError();
    if (!error && ::rename(temporary.c_str(), target.c_str()) != 0) error = lastError();
    if (error) ::unlink(temporary.c_str());
    return error;
}

}  // namespace word
