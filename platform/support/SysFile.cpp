#include "support/SysFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>

#include "PathResolver.h"

namespace {

using support_detail::isSeparator;

std::size_t lastSeparator(std::string_view text)
{
    std::size_t pos = text.find_last_of("/\\");
    return pos;
}

// Length of a leading drive ("C:"), 0 when there is none.
std::size_t driveLength(std::string_view text)
{
    return text.size() >= 2 && std::isalpha(static_cast<unsigned char>(text[0])) && text[1] == ':' ? 2 : 0;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
    return true;
}

}  // namespace

bool SysFile::exists(const KestString& path)
{
    if (path.isEmpty()) return false;
    struct stat info;
    return stat(nativePath(path).data(), &info) == 0;
}

bool SysFile::isRegularFile(const KestString& path)
{
    if (path.isEmpty()) return false;
    struct stat info;
    return stat(nativePath(path).data(), &info) == 0 && S_ISREG(info.st_mode);
}

KestString SysFile::getDir(const KestString& path)
{
    std::string_view text = path.view();
    std::size_t pos = lastSeparator(text);
    if (pos == std::string_view::npos) return KestString();
    std::size_t drive = driveLength(text);
    std::size_t end = pos;
    while (end > drive && isSeparator(text[end - 1])) --end;
    // The root keeps its separator: the directory of "/x" is "/", of "C:\x" "C:\".
    if (end == drive) return KestString(text.substr(0, drive + 1));
    return KestString(text.substr(0, end));
}

KestString SysFile::appendToDir(const KestString& dir, const KestString& name)
{
    if (dir.isEmpty()) return name;
    std::string_view n = name.view();
    while (!n.empty() && isSeparator(n.front())) n.remove_prefix(1);
    std::string result = dir.str();
    if (!isSeparator(result.back())) {
        std::size_t pos = lastSeparator(result);
        result.push_back(pos == std::string::npos ? '/' : result[pos]);
    }
    result.append(n);
    return KestString(std::move(result));
}

KestString SysFile::getExtension(const KestString& path)
{
    KestString name = stripDir(path);
    std::size_t dot = name.last('.');
    if (dot == KestString::npos) return KestString();
    return name.substr(dot);
}

KestString SysFile::stripDir(const KestString& path)
{
    std::string_view text = path.view();
    std::size_t pos = lastSeparator(text);
    if (pos != std::string_view::npos) return KestString(text.substr(pos + 1));
    return KestString(text.substr(driveLength(text)));
}

bool SysFile::isHyperLink(const KestString& text)
{
    std::string_view t = text.view();
    for (std::string_view prefix : {"http://", "https://", "ftp://", "mailto:", "file:", "www."})
        if (startsWithNoCase(t, prefix)) return true;
    return false;
}

bool SysFile::deleteFile(const KestString& path)
{
    if (path.isEmpty()) return false;
    return unlink(nativePath(path).data()) == 0;
}

KestString SysFile::nativePath(const KestString& path)
{
    return KestString(support_detail::resolvePath(path.view()));
}
