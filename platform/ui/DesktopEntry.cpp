// The GTK host library's entry for DesktopFrame.
#include "DesktopEntry.h"

#include <exception>
#include <vector>

#include "GtkHost.h"
#include "GtkPropertyFrame.h"
#include "ui/WindowHost.h"

extern "C" __attribute__((visibility("default"))) bool kestShowPropertyFrame(const char* caption,
                                                                           IPropertyPage* const* pages,
                                                                           std::size_t count, HRESULT* result)
{
    // Nothing may unwind into the loader's C call.
    try {
        if (!ui::GtkHost::openDisplay()) return false;
        ui::GtkHost host;
        ScopedWindowHost current(host);
        std::vector<ComPtr<IPropertyPage>> list;
        for (std::size_t i = 0; i < count; ++i) {
            pages[i]->AddRef();
            list.emplace_back(pages[i]);
        }
        *result = ui::showPropertyFrame(host, caption, list);
    } catch (const std::bad_alloc&) {
        *result = E_OUTOFMEMORY;
    } catch (const std::exception&) {
        *result = E_FAIL;
    }
    return true;
}
