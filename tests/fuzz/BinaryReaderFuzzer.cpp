// Any bytes as a .pot/.ppt whose design ApplyTemplate would take, and as a
// .ppt that Presentations.Open would read: each reader either gives its
// result or refuses the file with a MediaError; nothing may crash, hang,
// leak or trip a sanitizer. Seed it with .pot and .ppt files our writer and
// LibreOffice made.
#include <glib.h>

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "binary/BinaryDesign.h"
#include "binary/BinaryPresentation.h"
#include "media/MediaError.h"

namespace {

// libgsf reports broken allocation tables on stderr too; the error we throw says it.
void quiet(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool silenced = (g_log_set_default_handler(quiet, nullptr), true);
    (void)silenced;
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    try {
        const auto design = ppt::readBinaryDesignBytes(file, "fuzz.pot");
        if (!design.find(design.masterPart)) __builtin_trap();  // a design always has its master
    } catch (const pptmedia::MediaError&) {
    }
    try {
        const auto presentation = ppt::readBinaryPresentationBytes(file, "fuzz.ppt");
        for (const auto& slide : presentation.deck.slides)
            for (const auto& shape : slide.shapes)
                if (shape.widthPt < 0 || shape.heightPt < 0) __builtin_trap();  // boxes are never inside out
    } catch (const pptmedia::MediaError&) {
    }
    return 0;
}
