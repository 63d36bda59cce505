#include "generator/OutputFileName.h"

#include <filesystem>
#include <string>
#include <string_view>

#include "support/SysFile.h"

KestString lowerCased(const KestString& name)
{
    KestString lower = name;
    lower.toLower();
    return lower;
}

namespace {
std::size_t fileNameStart(std::string_view path)
{
    std::size_t separator = path.find_last_of("/\\:");
    return separator == std::string_view::npos ? 0 : separator + 1;
}
}  // namespace

KestString incompleteFileName(const KestString& name)
{
    std::string_view path = name.view();
    const std::size_t start = fileNameStart(path);
    std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || dot < start) dot = path.size();
    for (int n = 1;; ++n) {
        std::string candidate(path.substr(0, dot));
        candidate += dot == start ? "incomplete" : "-incomplete";
        if (n > 1) candidate += std::to_string(n);
        candidate += path.substr(dot);
        if (!SysFile::exists(KestString(candidate))) return KestString(candidate);
    }
}

bool namesSameFile(const KestString& a, const KestString& b)
{
    std::error_code error;
    const bool same = std::filesystem::equivalent(std::filesystem::path(SysFile::nativePath(a).str()),
                                                  std::filesystem::path(SysFile::nativePath(b).str()), error);
    return error ? lowerCased(a) == lowerCased(b) : same;
}
