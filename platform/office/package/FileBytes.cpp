#include "office/package/FileBytes.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "RegularFile.h"
#include "office/package/ReadError.h"

namespace office {
namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Opens without blocking, so that a FIFO or a device named as a picture,
// a document or a template is refused instead of waiting forever for data.
FileHandle openForReading(const std::filesystem::path& path, const std::string& displayName)
{
    std::error_code ec;
    auto status = std::filesystem::status(path, ec);
    if (path.empty() || !std::filesystem::exists(status))
        throw ReadError(ReadErrorKind::FileNotFound, "file " + quoteName(displayName) + " was not found");
    if (std::filesystem::is_directory(status))
        throw ReadError(ReadErrorKind::FileNotFound, quoteName(displayName) + " is a folder, not a file");
    auto unreadable = [&](int error) {
        return ReadError(ReadErrorKind::FileUnreadable,
                          "file " + quoteName(displayName) + " cannot be read: " + std::strerror(error));
    };
    const sysfile::OpenedRegularFile opened = sysfile::openRegularFile(path.c_str());
    if (opened.notRegular)
        throw ReadError(ReadErrorKind::FileUnreadable,
                         "file " + quoteName(displayName) + " is not a regular file (a pipe, socket or device)");
    if (opened.fd < 0) throw unreadable(opened.error);
    FileHandle file(::fdopen(opened.fd, "rb"));
    if (!file) {
        const int error = errno;
        ::close(opened.fd);
        throw unreadable(error);
    }
    return file;
}

Bytes readUpTo(std::FILE* file, const std::string& displayName, std::uint64_t limit, bool limitIsError)
{
    Bytes bytes;
    std::uint8_t buffer[65536];
    for (;;) {
        std::size_t n = std::fread(buffer, 1, sizeof buffer, file);
        if (n == 0) break;
        if (bytes.size() + n > limit) {
            if (limitIsError)
                throw ReadError(ReadErrorKind::TooLarge, "file " + quoteName(displayName) + " is larger than " +
                                                               std::to_string(limit / (1024 * 1024)) + " MB");
            bytes.insert(bytes.end(), buffer, buffer + (limit - bytes.size()));
            return bytes;
        }
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    if (std::ferror(file))
        throw ReadError(ReadErrorKind::FileUnreadable, "file " + quoteName(displayName) + " cannot be read");
    return bytes;
}

}  // namespace

Bytes readFileBytes(const std::filesystem::path& path, const std::string& displayName, std::uint64_t limit)
{
    FileHandle file = openForReading(path, displayName);
    return readUpTo(file.get(), displayName, limit, true);
}

Bytes readFileHead(const std::filesystem::path& path, const std::string& displayName, std::size_t count)
{
    FileHandle file = openForReading(path, displayName);
    return readUpTo(file.get(), displayName, count, false);
}

}  // namespace office
