// A file operation that failed: what was being done ("write", "replace"),
// to which file, and why (the errno value, or a reason errno cannot say).
#pragma once

#include <string>
#include <system_error>

namespace office {

class FileError : public std::system_error {
public:
    FileError(int error, std::string doing, std::string path, std::string reason = {})
        : std::system_error(error, std::generic_category(),
                            "cannot " + doing + " \"" + path + "\"" + (reason.empty() ? "" : ": " + reason)),
          doing_(std::move(doing)), path_(std::move(path)), reason_(std::move(reason))
    {
    }
    const std::string& doing() const { return doing_; }
    const std::string& path() const { return path_; }
    // "it is not a regular file"; "" when the error code says it all.
    const std::string& reason() const { return reason_; }

private:
    std::string doing_, path_, reason_;
};

}  // namespace office
