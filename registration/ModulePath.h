// The full path of the loaded module file that holds this code, with links
// resolved, as the registry must name it.
#pragma once

#include <string>

namespace registration {

// "" when the loader cannot say.
std::string modulePath();

}  // namespace registration
