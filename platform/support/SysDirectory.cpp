#include "support/SysDirectory.h"

#include <filesystem>

KestString SysDirectory::getCurrentDir()
{
    std::error_code error;
    auto dir = std::filesystem::current_path(error);
    return error ? KestString() : KestString(dir.string());
}
