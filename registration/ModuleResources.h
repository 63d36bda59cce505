// The resources of liborvelcom.so, as a Windows module carries them in its
// resource section: the registration scripts ("REGISTRY" 101 and 106), the
// strings ("STRING" 100, 103, 105), the type library ("TYPELIB" 1, its
// description in ODL) and the version block ("VERSION" 1).
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "com/ComTypes.h"

namespace registration {

inline constexpr int IDS_PROJNAME = 100;
inline constexpr int IDR_ORVEL = 101;
inline constexpr int IDR_PPTCOMPAGE = 106;
inline constexpr int IDR_TYPELIB = 1;
inline constexpr int IDR_VERSION = 1;

// The bytes of a resource; nothing when the module has none of that type and id.
std::optional<std::string_view> findResource(std::string_view type, int id);

// The registration script that writes the type library's entries; an inner
// script of the module rather than a resource (the type library registers
// itself on Windows).
std::string_view typeLibRegistrationScript();

}  // namespace registration
