// What the GTK host library exports for DesktopFrame: one C function, found
// by name.
#pragma once

#include <cstddef>

#include "ui/PropertyPage.h"

namespace ui {

inline constexpr const char* kDesktopLibrary = "libkestuigtk.so";
inline constexpr const char* kDesktopEntry = "kestShowPropertyFrame";

// Shows the frame until the user closes it and sets *result: true. False,
// with nothing shown, when there is no display.
using DesktopShowFunction = bool (*)(const char* caption, IPropertyPage* const* pages, std::size_t count,
                                     HRESULT* result);

}  // namespace ui
