// The presentation file name that create derives from the client's name.
#pragma once

#include "support/KestString.h"

// ASCII lower-casing of the whole name, directory included.
KestString lowerCased(const KestString& name);
// ".ppt" appended when the file name part has no extension; a name ending in
// a dot has the extension "." and keeps it (as the C library's path split).
KestString withPresentationExtension(const KestString& name);
// The part after the last "/" (only "/" separates here), for insertField(3).
KestString fileNameAfterSlash(const KestString& name);
