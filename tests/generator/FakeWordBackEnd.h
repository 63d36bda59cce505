// A recording fake of the Word back-end: an IDocument in a module of its own
// (libfake_word_backend.so), created through the registry like the real one.
// It logs every call ("create(\"/tmp/x/abctabxyz.doc\")", "addRow()") and
// writes a small file at the created path on close, as a back-end would.
#pragma once

#include <string>
#include <vector>

#include "com/ComTypes.h"

namespace fakeword {

constexpr const char* clsidString = "{5E1A0001-0000-4000-8000-00000000F00D}";
constexpr CLSID clsid = makeGuid("{5E1A0001-0000-4000-8000-00000000F00D}");
constexpr const char* moduleFileName = "libfake_word_backend.so";

// Exported by the module: its call log (shared by every fake it made).
using CallsFn = std::vector<std::string>* (*)();
constexpr const char* callsSymbol = "fakeWordCalls";

}  // namespace fakeword
