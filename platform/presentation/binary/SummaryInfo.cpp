#include "binary/SummaryInfo.h"
#include "binary/GObjectPtr.h"

#include <gsf/gsf-doc-meta-data.h>
#include <gsf/gsf-meta-names.h>
#include <gsf/gsf-msole-utils.h>
#include <gsf/gsf-output-memory.h>

#include <memory>
#include <stdexcept>

namespace ppt::binary {
namespace {

void insertText(GsfDocMetaData* meta, const char* name, const std::string& text)
{
    GValue* value = g_new0(GValue, 1);  // the property set takes it
    g_value_init(value, G_TYPE_STRING);
    g_value_set_string(value, text.c_str());
    gsf_doc_meta_data_insert(meta, g_strdup(name), value);
}

}  // namespace

std::string summaryInformation(const std::string& title)
{
    std::unique_ptr<GsfDocMetaData, GObjectUnref> meta(gsf_doc_meta_data_new());
    insertText(meta.get(), GSF_META_NAME_TITLE, title);
    insertText(meta.get(), GSF_META_NAME_GENERATOR, "Orvel PowerPoint");
    std::unique_ptr<GsfOutput, GObjectUnref> memory(gsf_output_memory_new());
    // The summary set (not the document summary set) holds title and program.
    if (!gsf_doc_meta_data_write_to_msole(meta.get(), memory.get(), FALSE) || !gsf_output_close(memory.get()))
        throw std::runtime_error("the summary information could not be written");
    const auto* bytes = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(memory.get()));
    return std::string(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(gsf_output_size(memory.get())));
}

}  // namespace ppt::binary
