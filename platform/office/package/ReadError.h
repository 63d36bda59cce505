// Why a file the stand-ins read was refused: a missing or unreadable file, a
// picture or package that is damaged or unsafe. One type for every reader, so
// that the engine turns each into a COM error alike: hresult() gives the
// code, what() the description a user reads.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace office {

enum class ReadErrorKind {
    FileNotFound,        // no such file, or a folder where a file was expected
    FileUnreadable,      // exists but cannot be read (permissions, I/O error)
    TooLarge,            // a file or a package part above the size limits
    NotAPicture,         // content is no GIF, JPEG, PNG or EMF picture
    DamagedPicture,      // a picture's structure is cut short or inconsistent
    NotAPackage,         // not a zip package / not the kind of package asked for
    DamagedPackage,      // a zip or XML part that cannot be read
    UnsafePackage,       // member names, sizes or XML constructs we refuse
    LegacyBinaryFormat,  // an OLE2 compound file (PowerPoint/Word 97-2003)
    NoTable,             // a Word document that holds no table
    InvalidArgument,     // empty names and the like
};

class ReadError : public std::runtime_error {
public:
    ReadError(ReadErrorKind kind, const std::string& message);

    ReadErrorKind kind() const noexcept { return kind_; }
    // The HRESULT a COM caller should see: 0x80070002 for a missing file,
    // 0x80070005 for a file that cannot be read, E_FAIL (0x80004005) else.
    std::uint32_t hresult() const noexcept;

private:
    ReadErrorKind kind_;
};

// "'name'" -- how messages quote a file or part name.
std::string quoteName(const std::string& name);

}  // namespace office
