#include "registration/ModulePath.h"

#include <dlfcn.h>
#include <limits.h>
#include <stdlib.h>

#include <memory>

namespace registration {

std::string modulePath()
{
    Dl_info info{};
    if (!dladdr(reinterpret_cast<const void*>(&modulePath), &info) || !info.dli_fname) return {};
    std::unique_ptr<char, decltype(&free)> resolved(realpath(info.dli_fname, nullptr), &free);
    return resolved ? std::string(resolved.get()) : std::string(info.dli_fname);
}

}  // namespace registration
