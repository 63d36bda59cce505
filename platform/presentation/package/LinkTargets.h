// Hyperlink addresses as package relationship targets: web and mail
// addresses stay as they are (percent-encoded where a URI needs it), file
// paths become file:/// URLs (absolute) or relative references, and a
// sub-address "slideId,slideIndex,title" names a slide of the presentation.
#pragma once

#include <string>
#include <string_view>

namespace ppt {

// The External target for an address (with "#subAddress" when one is given).
std::string externalLinkTarget(std::u16string_view address, std::u16string_view subAddress);

struct SlideReference {
    int id = 0;     // 0 when not given
    int index = 0;  // 1-based, 0 when not given
};
SlideReference parseSubAddress(std::u16string_view subAddress);

}  // namespace ppt
