// The file a client names for SaveAs: the name PowerPoint reports back
// (FullName, in the client's own spelling, made absolute) and the path on
// this machine (through SysFile::nativePath: "\" separators, drive letters
// and letter-case differences are accepted).
#pragma once

#include <string>

namespace ppt {

struct SavePath {
    std::u16string fullName;
    std::string nativePath;  // absolute, normalised
};

SavePath resolveSavePath(const std::u16string& fileName);
// The folder an untitled presentation is saved into by Save.
std::string defaultSaveFolder();

}  // namespace ppt
