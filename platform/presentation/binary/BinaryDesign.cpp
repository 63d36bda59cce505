#include "binary/BinaryDesign.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>

#include <memory>

#include "binary/MasterDesignParts.h"
#include "binary/MasterDesignReader.h"
#include "binary/RecordReader.h"
#include "media/MediaError.h"
#include "office/package/FileBytes.h"

namespace ppt {
namespace {

using binary::FormatError;

struct Unref {
    void operator()(void* object) const { g_object_unref(object); }
};
template <class T>
using GPtr = std::unique_ptr<T, Unref>;

// A stream of the compound file's root storage; "" when it is not there.
std::string readStream(GsfInfile* root, const char* name, bool required)
{
    GPtr<GsfInput> stream(gsf_infile_child_by_name(root, name));
    if (!stream) {
        if (required) throw FormatError(std::string("it has no \"") + name + "\" stream");
        return {};
    }
    const gsf_off_t size = gsf_input_size(stream.get());
    std::string bytes(static_cast<std::size_t>(size), '\0');
    // gsf follows the sector chains and fails on one that is broken.
    if (size > 0 && !gsf_input_read(stream.get(), static_cast<std::size_t>(size), reinterpret_cast<guint8*>(bytes.data())))
        throw FormatError(std::string("the \"") + name + "\" stream cannot be read: its sector chain is broken");
    return bytes;
}

}  // namespace

pptmedia::ImportedTemplate readBinaryDesignBytes(std::string_view file, const std::string& displayName,
                                                 const pptmedia::TemplateNaming& naming)
{
    const std::string quoted = pptmedia::quoteName(displayName);
    GPtr<GsfInput> input(gsf_input_memory_new(reinterpret_cast<const guint8*>(file.data()), static_cast<gsf_off_t>(file.size()), FALSE));
    GError* error = nullptr;
    GPtr<GsfInfile> root(input ? gsf_infile_msole_new(input.get(), &error) : nullptr);
    if (!root) {
        const std::string why = error && error->message ? error->message : "unknown reason";
        if (error) g_error_free(error);
        const bool compound = file.size() >= 8 && file.substr(0, 8) == std::string_view("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
        throw pptmedia::MediaError(compound ? pptmedia::MediaErrorKind::DamagedPackage : pptmedia::MediaErrorKind::NotAPackage,
                                   compound ? "file " + quoted + " is a damaged compound file (" + why + ")"
                                            : "file " + quoted + " is not a PowerPoint 97-2003 presentation or template");
    }
    try {
        if (GPtr<GsfInput> encrypted{gsf_infile_child_by_name(root.get(), "EncryptedSummary")})
            throw FormatError("it is encrypted (password protected)");
        const std::string document = readStream(root.get(), "PowerPoint Document", true);
        const std::string currentUser = readStream(root.get(), "Current User", true);
        const std::string pictures = readStream(root.get(), "Pictures", false);
        return binary::designParts(binary::readMasterDesign(document, currentUser, pictures), naming);
    } catch (const FormatError& e) {
        throw pptmedia::MediaError(pptmedia::MediaErrorKind::DamagedPackage,
                                   "presentation " + quoted + " cannot be read: " + e.what());
    }
}

pptmedia::ImportedTemplate readBinaryDesign(const std::filesystem::path& path, const std::string& displayName,
                                            const pptmedia::TemplateNaming& naming)
{
    const pptmedia::Bytes bytes = office::readFileBytes(path, displayName);
    return readBinaryDesignBytes(pptmedia::asText(bytes), displayName, naming);
}

}  // namespace ppt
