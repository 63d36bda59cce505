// A file a client names for the engine to read (a picture, an embedded
// document, a template, a presentation to open): the path on this machine
// and the name the client gave, which messages quote.
#pragma once

#include <string>

#include "com/ComError.h"
#include "media/MediaError.h"

namespace ppt {

struct InputFile {
    std::string nativePath;   // absolute, normalised
    std::string displayName;  // as given, in UTF-8
};

// Empty names and names with NUL are COM errors (E_INVALIDARG) naming
// `member`; whether the file exists is left to the reader.
InputFile resolveInputFile(const std::u16string& fileName, const char* member);

// Runs `read`, turning the media library's errors into COM errors that
// carry its HRESULT and message, prefixed with `member`.
template <class Read>
auto readMedia(const char* member, Read&& read) -> decltype(read())
{
    try {
        return read();
    } catch (const pptmedia::MediaError& e) {
        com::throwComError(static_cast<HRESULT>(e.hresult()), std::string(member) + " : " + e.what());
    }
}

}  // namespace ppt
