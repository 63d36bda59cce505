// The file inside an embedded object's storage (ExOleObjStg): a Word or
// PowerPoint document kept as its "Package" stream, any other file wrapped
// in "\1Ole10Native", or a 97-2003 document that is the storage itself.
#pragma once

#include <string>

#include "binary/RecordReader.h"

namespace ppt::binary {

struct EmbeddedFile {
    std::string bytes;
    std::string contentType;  // as a PresentationML package stores it
};

// Throws FormatError for a storage that cannot be inflated or opened.
EmbeddedFile embeddedFile(const Record& storage, const std::string& progId);
// The path of the file a linked object's storage names; FormatError as above.
std::u16string linkedFile(const Record& storage);

}  // namespace ppt::binary
