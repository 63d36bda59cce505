// The COM task allocator: memory that crosses an interface and is freed by
// the receiver.
#include <cstdlib>
#include <cstring>
#include <string>

#include "com/ComString.h"
#include "ui/PropertyPage.h"

void* CoTaskMemAlloc(std::size_t bytes) { return std::malloc(bytes == 0 ? 1 : bytes); }

void CoTaskMemFree(void* memory) { std::free(memory); }

namespace com {

LPOLESTR allocTaskString(std::string_view utf8)
{
    std::u16string wide = utf8ToUtf16(utf8);
    auto* out = static_cast<LPOLESTR>(CoTaskMemAlloc((wide.size() + 1) * sizeof(OLECHAR)));
    if (!out) return nullptr;
    std::memcpy(out, wide.data(), wide.size() * sizeof(OLECHAR));
    out[wide.size()] = u'\0';
    return out;
}

}  // namespace com
