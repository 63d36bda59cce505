#include "DesktopFrame.h"

#include <dlfcn.h>

#include <filesystem>

#include "DesktopEntry.h"

namespace ui {
namespace {

// The GTK host library sits beside this one.
std::string hostLibraryPath()
{
    Dl_info self{};
    if (!dladdr(reinterpret_cast<void*>(&showDesktopPropertyFrame), &self) || !self.dli_fname) return kDesktopLibrary;
    return (std::filesystem::path(self.dli_fname).parent_path() / kDesktopLibrary).string();
}

}  // namespace

DesktopFrame showDesktopPropertyFrame(const std::string& caption, const std::vector<ComPtr<IPropertyPage>>& pages,
                                      HRESULT& result, std::string& why)
{
    // Loaded once and kept: GTK cannot be unloaded from a process.
    static void* const library = dlopen(hostLibraryPath().c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* error = dlerror();
        why = error ? error : "cannot load " + std::string(kDesktopLibrary);
        return DesktopFrame::NoLibrary;
    }
    auto* show = reinterpret_cast<DesktopShowFunction>(dlsym(library, kDesktopEntry));
    if (!show) {
        why = std::string(kDesktopLibrary) + " has no " + kDesktopEntry;
        return DesktopFrame::NoLibrary;
    }
    std::vector<IPropertyPage*> raw;
    for (const auto& page : pages) raw.push_back(page.get());
    return show(caption.c_str(), raw.data(), raw.size(), &result) ? DesktopFrame::Shown : DesktopFrame::NoDisplay;
}

}  // namespace ui
