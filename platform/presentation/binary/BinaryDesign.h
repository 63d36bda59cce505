// The design of a PowerPoint 97-2003 template or presentation (.pot, .ppt):
// its main master's background, colour scheme, text styles and shapes, as
// the parts and settings a .pptx template import gives (ImportedTemplate),
// so ApplyTemplate and Open treat both formats alike. Nothing is kept from
// a file that fails: the caller's design stays as it was.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "template/TemplateImport.h"

namespace ppt {

// Throws pptmedia::MediaError naming the file and what is wrong:
// FileNotFound, FileUnreadable, TooLarge, NotAPackage (not a compound file,
// or no PowerPoint stream in it), DamagedPackage (a broken compound file,
// records, edit chain or persist directory, or an encrypted file).
pptmedia::ImportedTemplate readBinaryDesign(const std::filesystem::path& path, const std::string& displayName,
                                            const pptmedia::TemplateNaming& naming = {});
// The same from the file's bytes.
pptmedia::ImportedTemplate readBinaryDesignBytes(std::string_view file, const std::string& displayName,
                                                 const pptmedia::TemplateNaming& naming = {});

}  // namespace ppt
