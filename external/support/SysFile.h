// File-name services. Every function accepts Windows-style names: "\" as a
// separator, a leading drive "X:", and path components whose letter case
// differs from the one on disk (see nativePath).
#pragma once

#include "support/KestString.h"

class SysFile {
public:
    static bool exists(const KestString& path);
    // An existing regular file (or a link to one): not a folder, device or FIFO.
    // Nothing is opened, so nothing can block.
    static bool isRegularFile(const KestString& path);
    // Directory part, with its trailing separator removed ("" for a bare name).
    static KestString getDir(const KestString& path);
    // dir joined with name, with "\" or "/" as dir already uses ("/" when none).
    static KestString appendToDir(const KestString& dir, const KestString& name);
    // Extension with its dot, as written (".jpg"); "" when none.
    static KestString getExtension(const KestString& path);
    static KestString stripDir(const KestString& path);
    // http://, https://, ftp://, mailto:, file: and "www." addresses.
    static bool isHyperLink(const KestString& text);
    static bool deleteFile(const KestString& path);
    // The path this machine opens for the given name: separators turned to
    // "/", the drive mapped, and each component that does not exist with its
    // exact spelling replaced by the one entry matching it case-insensitively.
    static KestString nativePath(const KestString& path);
};
