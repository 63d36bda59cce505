// The file a .ppt is written into: the same atomic file the .pptx writer
// uses (temporary beside the target, committed by rename). Kept to this one
// alias so that it follows the atomic file wherever it lives.
#pragma once

#include "package/AtomicFile.h"

namespace ppt::binary {

using OutputFile = ppt::AtomicFile;

}  // namespace ppt::binary
