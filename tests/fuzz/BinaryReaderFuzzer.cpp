// Any bytes as a .pot/.ppt whose design ApplyTemplate would take: the reader
// either gives a design or refuses the file with a MediaError; nothing may
// crash, hang, leak or trip a sanitizer. Seed it with .pot files our writer
// and LibreOffice made.
#include <glib.h>

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "binary/BinaryDesign.h"
#include "media/MediaError.h"

namespace {

// libgsf reports broken allocation tables on stderr too; the error we throw says it.
void quiet(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool silenced = (g_log_set_default_handler(quiet, nullptr), true);
    (void)silenced;
    try {
        const auto design = ppt::readBinaryDesignBytes(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.pot");
        if (!design.find(design.masterPart)) __builtin_trap();  // a design always has its master
    } catch (const pptmedia::MediaError&) {
    }
    return 0;
}
