#include "ZipPackage.h"

#include <zip.h>

#include <memory>

namespace word {
namespace {

constexpr time_t fixedTimeStamp = 315532800 + 86400;  // 1980-01-02, the earliest DOS dates go

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct SourceFreer {
    void operator()(zip_source_t* source) const { zip_source_free(source); }
};

[[noreturn]] void fail(const char* what, zip_error_t* error)
{
    std::string message = std::string("cannot build the package: ") + what;
    if (error) message += std::string(": ") + zip_error_strerror(error);
    throw PackageError(message);
}

}  // namespace

std::string zipParts(const std::vector<PackagePart>& parts)
{
    zip_error_t error;
    zip_error_init(&error);
    std::unique_ptr<zip_source_t, SourceFreer> buffer(zip_source_buffer_create(nullptr, 0, 0, &error));
    if (!buffer) fail("no memory for the archive", &error);
    std::unique_ptr<zip_t, ArchiveCloser> archive(zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &error));
    if (!archive) fail("cannot open the archive", &error);
    zip_source_keep(buffer.get());  // the archive's close would free it otherwise

    for (const PackagePart& part : parts) {
        zip_source_t* data = zip_source_buffer(archive.get(), part.data.data(), part.data.size(), 0);
        if (!data) fail(part.name.c_str(), zip_get_error(archive.get()));
        zip_int64_t index = zip_file_add(archive.get(), part.name.c_str(), data, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(data);
            fail(part.name.c_str(), zip_get_error(archive.get()));
        }
        auto member = static_cast<zip_uint64_t>(index);
        if (zip_set_file_compression(archive.get(), member, ZIP_CM_DEFLATE, 6) < 0 ||
            zip_file_set_mtime(archive.get(), member, fixedTimeStamp, 0) < 0)
            fail(part.name.c_str(), zip_get_error(archive.get()));
    }
    // Closing writes the archive into the buffer and frees the handle.
    if (zip_close(archive.get()) < 0) fail("cannot finish the archive", zip_get_error(archive.get()));
    archive.release();

    zip_source_t* source = buffer.get();
    if (zip_source_open(source) < 0) fail("cannot read the archive back", zip_source_error(source));
    std::string bytes;
    if (zip_source_seek(source, 0, SEEK_END) == 0) {
        zip_int64_t size = zip_source_tell(source);
        if (size > 0 && zip_source_seek(source, 0, SEEK_SET) == 0) {
            bytes.resize(static_cast<std::size_t>(size));
            if (zip_source_read(source, bytes.data(), static_cast<zip_uint64_t>(size)) != size) bytes.clear();
        }
    }
    zip_source_close(source);
    if (bytes.empty()) fail("cannot read the archive back", nullptr);
    return bytes;
}

}  // namespace word
