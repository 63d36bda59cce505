// The file a client names for SaveAs: the name PowerPoint reports back
// (FullName, in the client's own spelling, made absolute) and the path on
// this machine (through SysFile::nativePath: "\" separators, drive letters
// and letter-case differences are accepted).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace ppt {

enum class FileFormat : std::uint8_t { OpenXml, Binary };

struct SavePath {
    std::u16string fullName;
    std::string nativePath;  // absolute, normalised
};

SavePath resolveSavePath(const std::u16string& fileName);
// The format a name's extension asks for: .ppt, .pps and .pot the binary
// format, .pptx, .ppsx and .potx Office Open XML (any letter case); nothing
// for any other name, where the caller's FileFormat decides.
std::optional<FileFormat> formatNamedBy(const std::string& path);
// The folder an untitled presentation is saved into by Save.
std::string defaultSaveFolder();

}  // namespace ppt
