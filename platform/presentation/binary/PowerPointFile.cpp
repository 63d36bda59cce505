#include "binary/PowerPointFile.h"
#include "office/package/PackageKind.h"
#include "binary/GObjectPtr.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>

#include <memory>

#include "binary/RecordReader.h"
#include "media/MediaError.h"

namespace ppt::binary {
namespace {


// The root storage; null with the reason when the bytes are no compound file.
GPtr<GsfInfile> openCompound(std::string_view file, std::string* why)
{
    GPtr<GsfInput> input(gsf_input_memory_new(reinterpret_cast<const guint8*>(file.data()), static_cast<gsf_off_t>(file.size()), FALSE));
    GError* error = nullptr;
    GPtr<GsfInfile> root(input ? gsf_infile_msole_new(input.get(), &error) : nullptr);
    if (!root && why) *why = error && error->message ? error->message : "unknown reason";
    if (error) g_error_free(error);
    return root;
}

bool hasChild(GsfInfile* root, const char* name) { return GPtr<GsfInput>(gsf_infile_child_by_name(root, name)) != nullptr; }

// A stream of the root storage; "" when it is not there and not required.
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

void readPowerPointStreams(std::string_view file, const std::string& displayName,
                           const std::function<void(const PowerPointStreams&)>& read)
{
    const std::string quoted = pptmedia::quoteName(displayName);
    std::string why;
    const GPtr<GsfInfile> root = openCompound(file, &why);
    if (!root) {
        const bool compound = office::isCompoundFile(file);
        throw pptmedia::MediaError(compound ? pptmedia::MediaErrorKind::DamagedPackage : pptmedia::MediaErrorKind::NotAPackage,
                                   compound ? "file " + quoted + " is a damaged compound file (" + why + ")"
                                            : "file " + quoted + " is not a PowerPoint 97-2003 presentation or template");
    }
    try {
        if (hasChild(root.get(), "EncryptedSummary")) throw FormatError("it is encrypted (password protected)");
        PowerPointStreams streams;
        streams.document = readStream(root.get(), "PowerPoint Document", true);
        streams.currentUser = readStream(root.get(), "Current User", true);
        streams.pictures = readStream(root.get(), "Pictures", false);
        read(streams);
    } catch (const FormatError& e) {
        throw pptmedia::MediaError(pptmedia::MediaErrorKind::DamagedPackage,
                                   "presentation " + quoted + " cannot be read: " + e.what());
    }
}

CompoundContent compoundContent(std::string_view file)
{
    const GPtr<GsfInfile> root = openCompound(file, nullptr);
    if (root && hasChild(root.get(), "PowerPoint Document")) return CompoundContent::Presentation;
    if (root && hasChild(root.get(), "WordDocument")) return CompoundContent::WordDocument;
    return CompoundContent::Other;
}

std::optional<std::string> compoundStream(std::string_view file, const char* name)
{
    std::string why;
    const GPtr<GsfInfile> root = openCompound(file, &why);
    if (!root) throw FormatError("an embedded object's storage is damaged (" + why + ")");
    if (!hasChild(root.get(), name)) return std::nullopt;
    return readStream(root.get(), name, true);
}

}  // namespace ppt::binary
