#include "PackageParts.h"

#include <zip.h>

#include <memory>

namespace regtest {

std::map<std::string, std::string> readParts(const std::filesystem::path& package,
                                             std::initializer_list<const char*> prefixes)
{
    std::map<std::string, std::string> parts;
    int error = 0;
    std::unique_ptr<zip_t, decltype(&zip_discard)> archive(zip_open(package.c_str(), ZIP_RDONLY, &error), &zip_discard);
    if (!archive) return parts;
    zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(archive.get(), static_cast<zip_uint64_t>(i), 0);
        if (!name) continue;
        std::string n = name;
        bool wanted = prefixes.size() == 0;
        for (const char* p : prefixes) wanted = wanted || n.starts_with(p);
        if (!wanted) continue;
        zip_stat_t st;
        if (zip_stat_index(archive.get(), static_cast<zip_uint64_t>(i), 0, &st) != 0) continue;
        std::unique_ptr<zip_file_t, decltype(&zip_fclose)> file(zip_fopen_index(archive.get(), static_cast<zip_uint64_t>(i), 0),
                                                                &zip_fclose);
        if (!file) continue;
        std::string bytes(static_cast<std::size_t>(st.size), '\0');
        zip_int64_t got = zip_fread(file.get(), bytes.data(), st.size);
        if (got >= 0) bytes.resize(static_cast<std::size_t>(got));
        parts[n] = std::move(bytes);
    }
    return parts;
}

std::map<std::string, std::string> slideParts(const std::filesystem::path& package)
{
    return readParts(package, {"ppt/slides/", "ppt/notesSlides/", "ppt/media/"});
}

}  // namespace regtest
