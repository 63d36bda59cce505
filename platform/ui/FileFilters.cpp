#include "FileFilters.h"

namespace ui {

std::vector<std::pair<std::string, std::string>> parseFileFilters(const char* list)
{
    std::vector<std::pair<std::string, std::string>> out;
    if (!list) return out;
    while (*list) {
        std::string name = list;
        list += name.size() + 1;
        if (!*list) {
            out.emplace_back(std::move(name), std::string());
            break;
        }
        std::string patterns = list;
        list += patterns.size() + 1;
        out.emplace_back(std::move(name), std::move(patterns));
    }
    return out;
}

}  // namespace ui
