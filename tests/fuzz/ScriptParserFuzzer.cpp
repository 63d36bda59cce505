// Any bytes as a script: the reader answers with statements or errors, never
// crashes or hangs, and what it reads is consistent.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "Script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view script(reinterpret_cast<const char*>(data), size);
    orvel_script::ParseResult result = orvel_script::parse(script);
    if (result.errors.size() > 10) std::abort();
    int lastLine = 0;
    for (const orvel_script::Statement& s : result.statements) {
        // Statements come in order, one per line at most.
        if (s.line <= lastLine || !s.method) std::abort();
        lastLine = s.line;
        // What was read is written back as a statement that reads the same.
        std::string again = orvel_script::format(s);
        orvel_script::ParseResult reread = orvel_script::parse(again);
        if (reread.statements.size() == 1 && reread.statements[0].method != s.method) std::abort();
    }
    return 0;
}
