// The "\005SummaryInformation" property set of a .ppt: the title and the
// program that wrote it, as a file browser shows them.
#pragma once

#include <string>

namespace ppt::binary {

std::string summaryInformation(const std::string& title);

}  // namespace ppt::binary
