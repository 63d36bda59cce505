// A property frame on the desktop, as OleCreatePropertyFrame shows one: a
// window titled "<caption> Properties" with one tab per page and the buttons
// OK, Cancel and Apply. Apply becomes available when a page reports a change;
// OK applies the changed pages and closes unless one refuses; Cancel and
// Escape close without applying.
#pragma once

#include <string>
#include <vector>

#include "com/ComPtr.h"
#include "GtkHost.h"
#include "ui/PropertyPage.h"

namespace ui {

// Runs until the user closes the frame. The host must be current
// (ScopedWindowHost) and the display open. E_INVALIDARG without pages.
HRESULT showPropertyFrame(GtkHost& host, const std::string& caption,
                          const std::vector<ComPtr<IPropertyPage>>& pages,
                          const std::vector<ComPtr<IUnknown>>& objects = {});

}  // namespace ui
