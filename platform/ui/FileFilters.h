// The filter list of a file dialog request: "name\0patterns\0...\0\0", the
// patterns separated by ';'.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace ui {

// (display name, patterns) pairs; a name without patterns ends the list.
std::vector<std::pair<std::string, std::string>> parseFileFilters(const char* list);

}  // namespace ui
