// An embedded object as a .ppt keeps it: an OLE storage (the document as a
// "Package" stream, or any other file wrapped in "\1Ole10Native"), deflated
// into an ExOleObjStg record.
#pragma once

#include <string>

#include "model/PresentationModel.h"

namespace ppt::binary {

std::string oleStorageRecord(const MediaItem& item, const std::u16string& progId);

}  // namespace ppt::binary
