// An object as a .ppt keeps it: an OLE storage, deflated into an ExOleObjStg
// record. An embedded document is its "Package" stream, any other file is
// wrapped in "\1Ole10Native"; a linked file is named by the file moniker in
// "\1Ole".
#pragma once

#include <string>

#include "model/PresentationModel.h"

namespace ppt::binary {

std::string oleStorageRecord(const MediaItem& item, const std::u16string& progId);
std::string oleLinkStorageRecord(const std::u16string& path, const std::u16string& progId);

}  // namespace ppt::binary
