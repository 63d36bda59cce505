// Creates the Orvel object through the COM runtime by its ProgID. When any
// class of the modules installed beside the program is not registered, they
// are registered first (saying so once on standard error).
#pragma once

#include <string>

#include "com/ComPtr.h"
#include "document/IDocument.h"

namespace orvel_cli {

inline constexpr const char* orvelProgId = "Orvel.Orvel";

// A null reference when it cannot be made; *error then says why.
ComPtr<IDocument> createOrvel(std::string* error);

}  // namespace orvel_cli
