#include "binary/CompoundFile.h"
#include "binary/GObjectPtr.h"

#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>

#include <memory>
#include <stdexcept>

namespace ppt::binary {
namespace {

void check(gboolean ok, const char* doing)
{
    if (!ok) throw std::runtime_error(std::string("the compound file could not be written (") + doing + ")");
}

}  // namespace

CompoundFileBytes makeCompoundFile(const std::vector<StreamEntry>& streams, std::string_view classId)
{
    GPtr<GsfOutput> memory(gsf_output_memory_new());
    {
        GPtr<GsfOutfile> root(gsf_outfile_msole_new(memory.get()));
        if (!root) throw std::runtime_error("the compound file could not be started");
        if (classId.size() == 16)
            check(gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(root.get()), reinterpret_cast<const guint8*>(classId.data())),
                  "marking the storage's class");
        for (const StreamEntry& entry : streams) {
            GPtr<GsfOutput> stream(gsf_outfile_new_child(root.get(), entry.name.c_str(), FALSE));
            if (!stream) throw std::runtime_error("the stream \"" + entry.name + "\" could not be added");
            // gsf writes at most what a gsize holds per call; a stream is far below that.
            check(gsf_output_write(stream.get(), entry.bytes.size(), reinterpret_cast<const guint8*>(entry.bytes.data())),
                  "writing a stream");
            check(gsf_output_close(stream.get()), "closing a stream");
        }
        check(gsf_output_close(GSF_OUTPUT(root.get())), "writing the directory");
    }
    return CompoundFileBytes(GPtr<GObject>(G_OBJECT(memory.release())));
}

std::string_view CompoundFileBytes::bytes() const
{
    GsfOutput* memory = GSF_OUTPUT(memory_.get());
    const auto* bytes = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(memory));
    return {reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(gsf_output_size(memory))};
}

}  // namespace ppt::binary
