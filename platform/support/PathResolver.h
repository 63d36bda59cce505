// Turns Windows-style names into the path this machine opens: "\" becomes
// "/", a drive "X:" is mapped by HKCU\Software\Orvel\Drives value "X" (or
// dropped), and a component missing under its exact spelling is replaced by
// the one directory entry that matches it ignoring ASCII case.
#pragma once

#include <string>
#include <string_view>

namespace support_detail {

std::string resolvePath(std::string_view path);

// The folder a drive letter maps to ("" when none is set).
std::string driveFolder(char letter);

bool isSeparator(char c);

}  // namespace support_detail
