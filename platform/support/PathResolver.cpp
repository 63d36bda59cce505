#include "PathResolver.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <cctype>
#include <memory>
#include <vector>

#include "registry/RegisterDynamic.h"

namespace support_detail {

namespace {

bool existsExactly(const std::string& path)
{
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

// The one entry of dir matching name case-insensitively; "" when there is
// none or more than one (then the caller's spelling is kept).
std::string uniqueMatch(const std::string& dir, const std::string& name)
{
    std::unique_ptr<DIR, int (*)(DIR*)> stream(opendir(dir.empty() ? "." : dir.c_str()), closedir);
    if (!stream) return {};
    std::string match;
    int count = 0;
    while (dirent* entry = readdir(stream.get())) {
        if (equalsIgnoringCase(entry->d_name, name)) {
            match = entry->d_name;
            if (++count > 1) return {};
        }
    }
    return match;
}

}  // namespace

bool isSeparator(char c)
{
    return c == '/' || c == '\\';
}

std::string driveFolder(char letter)
{
    char name[2] = {static_cast<char>(std::toupper(static_cast<unsigned char>(letter))), '\0'};
    return RegisterDynamic().read("Drives", name, RegEntry(KestString()), false).value.str();
}

std::string resolvePath(std::string_view path)
{
    std::string text(path);
    for (char& c : text)
        if (c == '\\') c = '/';

    std::string prefix;  // what the components are resolved under
    if (text.size() >= 2 && std::isalpha(static_cast<unsigned char>(text[0])) && text[1] == ':') {
        std::string folder = driveFolder(text[0]);
        text.erase(0, 2);
        if (!folder.empty()) {
            while (!text.empty() && text.front() == '/') text.erase(0, 1);
            while (folder.size() > 1 && isSeparator(folder.back())) folder.pop_back();
            prefix = folder == "/" ? folder : folder + "/";
        }
    }
    if (prefix.empty() && !text.empty() && text.front() == '/') {
        prefix = "/";
        while (!text.empty() && text.front() == '/') text.erase(0, 1);
    }

    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('/', start);
        if (end == std::string::npos) end = text.size();
        if (end > start) parts.emplace_back(text, start, end - start);
        start = end + 1;
    }
    bool trailingSlash = !text.empty() && text.back() == '/' && !parts.empty();

    std::string result = prefix;
    bool resolving = true;  // below a missing component nothing can match
    for (std::size_t i = 0; i < parts.size(); ++i) {
        std::string part = parts[i];
        if (resolving && part != "." && part != "..") {
            std::string candidate = result + part;
            if (!existsExactly(candidate)) {
                std::string dir = result;
                if (dir.size() > 1 && dir.back() == '/') dir.pop_back();
                std::string match = uniqueMatch(dir, part);
                if (match.empty())
                    resolving = false;
                else
                    part = match;
            }
        }
        result += part;
        if (i + 1 < parts.size() || trailingSlash) result += '/';
    }
    if (result.empty() && !path.empty() && prefix.empty()) return ".";
    return result;
}

}  // namespace support_detail
