#include "generator/FileNameField.h"

std::string withPresentationExtension(std::string_view name)
{
    std::size_t separator = name.find_last_of("/\\:");
    std::string_view fileName = separator == std::string_view::npos ? name : name.substr(separator + 1);
    std::string result(name);
    if (fileName.find('.') == std::string_view::npos) result += ".ppt";
    return result;
}

std::string_view fileNameAfterSlash(std::string_view name)
{
    std::size_t slash = name.rfind('/');
    return slash == std::string_view::npos ? name : name.substr(slash + 1);
}
