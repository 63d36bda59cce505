// The presentation file name that create derives from the client's name.
#pragma once

#include "generator/FileNameField.h"
#include "support/KestString.h"

// ASCII lower-casing of the whole name, directory included.
KestString lowerCased(const KestString& name);
// The first free name "<stem>-incomplete<n>.<ext>" ("incomplete<n>.<ext>"
// for a name that is only an extension) beside the file, where a
// presentation that misses what failed is kept instead of replacing it.
KestString incompleteFileName(const KestString& name);
// Both names stand for one file (relative names against the current folder).
bool namesSameFile(const KestString& a, const KestString& b);
