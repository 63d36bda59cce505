// A package as one ZIP archive in memory, parts in the order given (the
// content types first, as Office writes them).
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace word {

struct PackagePart {
    std::string name;  // inside the package, without a leading "/"
    std::string data;
};

class PackageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Deflated members with a fixed time stamp, so equal content gives equal bytes.
// Throws PackageError when the archive cannot be made.
std::string zipParts(const std::vector<PackagePart>& parts);

}  // namespace word
