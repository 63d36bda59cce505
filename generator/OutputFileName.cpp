#include "generator/OutputFileName.h"

#include <string_view>

KestString lowerCased(const KestString& name)
{
    KestString lower = name;
    lower.toLower();
    return lower;
}

KestString withPresentationExtension(const KestString& name)
{
    std::string_view path = name.view();
    std::size_t separator = path.find_last_of("/\\:");
    std::string_view fileName = separator == std::string_view::npos ? path : path.substr(separator + 1);
    if (fileName.find('.') != std::string_view::npos) return name;
    KestString withExtension = name;
    withExtension.append(".ppt");
    return withExtension;
}

KestString fileNameAfterSlash(const KestString& name)
{
    std::size_t slash = name.last('/');
    return slash == KestString::npos ? name : name.substr(slash + 1);
}
