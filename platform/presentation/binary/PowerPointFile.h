// A PowerPoint 97-2003 file opened from its bytes: the compound file (libgsf)
// and the streams the readers work on. Whatever a reader finds wrong in
// them comes out as one MediaError naming the file, so the design reader
// and the slide reader refuse damaged files alike.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace ppt::binary {

struct PowerPointStreams {
    std::string document;     // "PowerPoint Document"
    std::string currentUser;  // "Current User"
    std::string pictures;     // "Pictures", "" when the file has none
};

// Runs read on the file's streams. Throws pptmedia::MediaError:
// NotAPackage (not a compound file, or no PowerPoint stream in it),
// DamagedPackage (a broken compound file, an encrypted file, or a
// FormatError that read throws).
void readPowerPointStreams(std::string_view file, const std::string& displayName,
                           const std::function<void(const PowerPointStreams&)>& read);

// What a compound file holds, by its streams; Other for anything else.
enum class CompoundContent { Presentation, WordDocument, Other };
CompoundContent compoundContent(std::string_view file);

// The bytes of one stream of a compound file's root storage, nullopt when
// it has none; FormatError when the file is no compound file or the stream
// is broken.
std::optional<std::string> compoundStream(std::string_view file, const char* name);

}  // namespace ppt::binary
