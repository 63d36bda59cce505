// Writes a presentation as an Office Open XML PresentationML package, part
// by part straight into the zip stream, atomically (temporary file beside the
// target, fsync, rename). Failures are COM errors naming the path; the old
// file then stays as it was and no temporary is left.
#pragma once

#include <functional>
#include <string>

#include "com/ComTypes.h"
#include "model/PresentationModel.h"

namespace office {
class AtomicFile;
class PartSink;
}

namespace ppt {

// libdeflate's level for every part. Its fastest, greedy level takes a third
// less time than zlib's default (6) and makes the file about 4 % larger.
constexpr int kPackageCompressionLevel = 1;

constexpr HRESULT HR_FILE_EXISTS = HRESULT_FROM_WIN32(80);  // ERROR_FILE_EXISTS

struct SaveOptions {
    bool asTemplate = false;     // the template content type (.potx)
    bool embedFonts = false;     // recorded in presentation.xml
    bool replace = true;         // false: an existing file is kept and the save fails with HR_FILE_EXISTS
};

// Writes nativePath atomically with whatever fill puts into the file; every
// failure is a COM error naming the file (shared by both file formats).
void saveAtomically(const std::string& nativePath, bool replace, const std::function<void(office::AtomicFile&)>& fill);

void writePresentationPackage(PresentationModel& model, const std::string& nativePath, const SaveOptions& options);

// Every part of the package, in order, into any sink (the zip file, or a
// measurement).
void writePackageParts(PresentationModel& model, const SaveOptions& options, office::PartSink& sink);

}  // namespace ppt
