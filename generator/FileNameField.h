// The presentation file name as create derives it and as insertField(3)
// writes it; the script reader needs the same rule to recognise the
// insertText line that field echoes in a trace log.
#pragma once

#include <string>
#include <string_view>

// ".ppt" appended when the file name part has no extension; a name ending in
// a dot has the extension "." and keeps it (as the C library's path split).
std::string withPresentationExtension(std::string_view name);
// The part after the last "/" (only "/" separates here), for insertField(3).
std::string_view fileNameAfterSlash(std::string_view name);
