// Writes a file so that readers see either the old file or the whole new
// one: a temporary file beside the target, flushed, then renamed over it.
// A failure leaves no temporary file behind and the old file untouched.
#pragma once

#include <filesystem>
#include <string_view>
#include <system_error>

namespace word {

std::error_code writeFileAtomically(const std::filesystem::path& target, std::string_view bytes);

}  // namespace word
