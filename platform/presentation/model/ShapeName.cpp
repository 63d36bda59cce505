#include "model/ShapeName.h"

namespace ppt {

std::u16string ShapeName::text() const
{
    if (given_) return *given_;
    if (number_ < 0) return {};
    std::u16string name(stem_);
    const std::string digits = std::to_string(number_);
    name.append(digits.begin(), digits.end());
    return name;
}

}  // namespace ppt
