#include "office/package/ZipReader.h"

#include <algorithm>
#include <zip.h>

#include "office/package/FileBytes.h"
#include "office/package/ReadError.h"

namespace office {

std::string lowerAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

namespace {

[[noreturn]] void unsafe(const std::string& displayName, const std::string& why)
{
    throw ReadError(ReadErrorKind::UnsafePackage, "package " + quoteName(displayName) + " is refused: " + why);
}

[[noreturn]] void damagedPackage(const std::string& displayName, const std::string& why)
{
    throw ReadError(ReadErrorKind::DamagedPackage, "package " + quoteName(displayName) + " is damaged: " + why);
}

std::string mb(std::uint64_t bytes)
{
    return std::to_string(bytes / (1024 * 1024)) + " MB";
}

}  // namespace

struct ZipReader::Archive {
    zip_t* zip = nullptr;
    Bytes buffer;  // the bytes behind `zip` when opened from memory
    ~Archive()
    {
        if (zip) zip_discard(zip);
    }
};

bool isSafeMemberName(const std::string& name)
{
    if (name.empty() || name.size() > 1024) return false;
    if (name.front() == '/' || name.find('\\') != std::string::npos) return false;
    if (name.find('\0') != std::string::npos) return false;
    if (name.size() >= 2 && name[1] == ':') return false;  // "C:..."
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find('/', start);
        if (end == std::string::npos) end = name.size();
        std::string_view segment(name.data() + start, end - start);
        if (segment == ".." || segment == ".") return false;
        if (segment.empty() && end != name.size()) return false;  // "a//b"
        start = end + 1;
    }
    for (unsigned char c : name)
        if (c < 0x20) return false;
    return true;
}

ZipReader ZipReader::open(const std::filesystem::path& path, const std::string& displayName, const ZipLimits& limits)
{
    // Read into memory: one code path for files and buffers, and the file
    // cannot change under us while members are read.
    Bytes bytes = readFileBytes(path, displayName, limits.maxTotalSize + 64ull * 1024 * 1024);
    return fromBytes(std::move(bytes), displayName, limits);
}

ZipReader ZipReader::fromBytes(Bytes bytes, const std::string& displayName, const ZipLimits& limits)
{
    auto archive = std::make_unique<Archive>();
    archive->buffer = std::move(bytes);
    if (archive->buffer.size() < 22)
        throw ReadError(ReadErrorKind::NotAPackage, "file " + quoteName(displayName) + " is not a zip package");
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(archive->buffer.data(), archive->buffer.size(), 0, &error);
    if (!source) {
        zip_error_fini(&error);
        throw ReadError(ReadErrorKind::DamagedPackage, "package " + quoteName(displayName) + " cannot be opened");
    }
    archive->zip = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!archive->zip) {
        int code = zip_error_code_zip(&error);
        zip_source_free(source);
        zip_error_fini(&error);
        if (code == ZIP_ER_NOZIP)
            throw ReadError(ReadErrorKind::NotAPackage, "file " + quoteName(displayName) + " is not a zip package");
        damagedPackage(displayName, "its zip directory is inconsistent");
    }
    zip_error_fini(&error);
    return ZipReader(std::move(archive), displayName, limits);
}

ZipReader::ZipReader(std::unique_ptr<Archive> archive, std::string displayName, const ZipLimits& limits)
    : archive_(std::move(archive)), displayName_(std::move(displayName))
{
    zip_int64_t count = zip_get_num_entries(archive_->zip, 0);
    if (count < 0) damagedPackage(displayName_, "its zip directory cannot be read");
    if (static_cast<std::uint64_t>(count) > limits.maxEntries)
        unsafe(displayName_, "it has " + std::to_string(count) + " members, more than " +
                                 std::to_string(limits.maxEntries));

    std::uint64_t total = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(archive_->zip, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_GUESS, &st) != 0 ||
            !(st.valid & ZIP_STAT_NAME) || !(st.valid & ZIP_STAT_SIZE) || !(st.valid & ZIP_STAT_COMP_SIZE))
            damagedPackage(displayName_, "member " + std::to_string(i + 1) + " cannot be read");
        std::string name = st.name;
        bool isFolder = !name.empty() && name.back() == '/';
        if (!isSafeMemberName(isFolder ? name.substr(0, name.size() - 1) : name))
            unsafe(displayName_, "member name " + quoteName(name) + " could point outside the package");
        if ((st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE)
            unsafe(displayName_, "member " + quoteName(name) + " is encrypted");
        if (st.size > limits.maxEntrySize)
            unsafe(displayName_, "member " + quoteName(name) + " declares " + mb(st.size) + ", more than " +
                                     mb(limits.maxEntrySize));
        total += st.size;
        if (total > limits.maxTotalSize)
            unsafe(displayName_, "its members declare more than " + mb(limits.maxTotalSize) + " in all");
        if (st.size > limits.ratioFloor &&
            static_cast<double>(st.size) > limits.maxRatio * static_cast<double>(std::max<zip_uint64_t>(st.comp_size, 1)))
            unsafe(displayName_, "member " + quoteName(name) + " expands " +
                                     std::to_string(st.size / std::max<zip_uint64_t>(st.comp_size, 1)) +
                                     " times, like a zip bomb");
        if (isFolder) continue;
        if (!byLowerName_.emplace(lowerAscii(name), entries_.size()).second)
            unsafe(displayName_, "member name " + quoteName(name) + " occurs twice");
        entries_.push_back({name, st.size, st.comp_size, static_cast<std::uint64_t>(i)});
    }
}

ZipReader::ZipReader(ZipReader&&) noexcept = default;
ZipReader& ZipReader::operator=(ZipReader&&) noexcept = default;
ZipReader::~ZipReader() = default;

std::optional<ZipEntry> ZipReader::find(const std::string& name) const
{
    auto it = byLowerName_.find(lowerAscii(name));
    if (it == byLowerName_.end()) return std::nullopt;
    return entries_[it->second];
}

Bytes ZipReader::read(const std::string& name) const
{
    auto entry = find(name);
    if (!entry)
        throw ReadError(ReadErrorKind::NotAPackage,
                         "package " + quoteName(displayName_) + " has no member " + quoteName(name));
    return read(*entry);
}

Bytes ZipReader::read(const ZipEntry& entry) const
{
    struct FileClose {
        void operator()(zip_file_t* f) const { zip_fclose(f); }
    };
    std::unique_ptr<zip_file_t, FileClose> file(zip_fopen_index(archive_->zip, entry.index, 0));
    if (!file) damagedPackage(displayName_, "member " + quoteName(entry.name) + " cannot be opened");
    Bytes bytes(static_cast<std::size_t>(entry.size));
    std::uint64_t got = 0;
    while (got < entry.size) {
        zip_int64_t n = zip_fread(file.get(), bytes.data() + got, entry.size - got);
        if (n < 0) damagedPackage(displayName_, "member " + quoteName(entry.name) + " fails its checks");
        if (n == 0) break;
        got += static_cast<std::uint64_t>(n);
    }
    if (got != entry.size) damagedPackage(displayName_, "member " + quoteName(entry.name) + " is cut short");
    // A member that holds more than it declares is damaged too.
    std::uint8_t extra;
    zip_int64_t more = zip_fread(file.get(), &extra, 1);
    if (more != 0) damagedPackage(displayName_, "member " + quoteName(entry.name) + " is longer than it declares");
    return bytes;
}

}  // namespace office
