#include "objects/InputFile.h"

#include <filesystem>

#include "com/ComError.h"
#include "com/ComString.h"
#include "support/SysFile.h"

namespace ppt {

InputFile resolveInputFile(const std::u16string& fileName, const char* member)
{
    if (fileName.empty()) com::throwComError(E_INVALIDARG, std::string(member) + " : the file name is empty.");
    if (fileName.find(u'\0') != std::u16string::npos)
        com::throwComError(E_INVALIDARG, std::string(member) + " : the file name contains a NUL character.");
    InputFile file;
    file.displayName = com::utf16ToUtf8(fileName);
    std::filesystem::path native(SysFile::nativePath(KestString(file.displayName)).str());
    if (native.empty()) com::throwComError(E_INVALIDARG, std::string(member) + " : the file name is empty.");
    std::error_code error;
    if (native.is_relative()) native = std::filesystem::current_path(error) / native;
    file.nativePath = native.lexically_normal().string();
    return file;
}

}  // namespace ppt
