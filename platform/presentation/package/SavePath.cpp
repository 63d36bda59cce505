#include "package/SavePath.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>

#include "com/ComError.h"
#include "com/ComString.h"
#include "support/SysFile.h"

namespace ppt {
namespace fs = std::filesystem;

namespace {
std::string lowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool isAbsoluteName(const std::u16string& name)
{
    if (!name.empty() && (name[0] == u'/' || name[0] == u'\\')) return true;
    return name.size() >= 2 && name[1] == u':' &&
           ((name[0] >= u'A' && name[0] <= u'Z') || (name[0] >= u'a' && name[0] <= u'z'));
}
}  // namespace

SavePath resolveSavePath(const std::u16string& fileName)
{
    if (fileName.empty()) com::throwComError(E_INVALIDARG, "Presentation.SaveAs : the file name is empty.");
    if (fileName.find(u'\0') != std::u16string::npos)
        com::throwComError(E_INVALIDARG, "Presentation.SaveAs : the file name contains a NUL character.");
    const std::string utf8 = com::utf16ToUtf8(fileName);
    std::error_code error;
    fs::path native(SysFile::nativePath(KestString(utf8)).str());
    if (native.empty()) com::throwComError(E_INVALIDARG, "Presentation.SaveAs : the file name is empty.");
    const fs::path cwd = fs::current_path(error);
    if (native.is_relative()) native = cwd / native;
    native = native.lexically_normal();
    if (!native.has_filename())
        com::throwComError(E_INVALIDARG, "Presentation.SaveAs : \"" + utf8 + "\" names a folder, not a file.");
    // A client's empty name ("", "sub/") arrives as a bare extension: it would
    // become a hidden file that nobody asked for.
    const std::string file = lowerCase(native.filename().string());
    for (const char* extension : {".ppt", ".pptx", ".pps", ".ppsx", ".pot", ".potx"})
        if (file == extension)
            com::throwComError(E_INVALIDARG, "Presentation.SaveAs : \"" + utf8 + "\" has no file name, only an extension.");

    SavePath result;
    result.nativePath = native.string();
    result.fullName = isAbsoluteName(fileName) ? fileName : com::utf8ToUtf16((cwd / utf8).lexically_normal().string());
    return result;
}

std::optional<FileFormat> formatNamedBy(const std::string& path)
{
    const std::string extension = lowerCase(fs::path(path).extension().string());
    if (extension == ".ppt" || extension == ".pps" || extension == ".pot") return FileFormat::Binary;
    if (extension == ".pptx" || extension == ".ppsx" || extension == ".potx") return FileFormat::OpenXml;
    return std::nullopt;
}

std::string defaultSaveFolder()
{
    // As PowerPoint saves into "Documents": the user's documents folder when
    // there is one, else the home folder.
    const char* home = std::getenv("HOME");
    fs::path base = home && *home ? fs::path(home) : fs::current_path();
    std::error_code error;
    if (fs::is_directory(base / "Documents", error)) return (base / "Documents").string();
    return base.string();
}

}  // namespace ppt
