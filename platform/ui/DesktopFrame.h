// The property frame on the desktop (GtkPropertyFrame), from the GTK host
// library, which is loaded only when a frame is shown: a program that never
// shows one does not load GTK and the sixty libraries it brings.
#pragma once

#include <string>
#include <vector>

#include "com/ComPtr.h"
#include "ui/PropertyPage.h"

namespace ui {

enum class DesktopFrame {
    Shown,      // `result` says how it ended
    NoDisplay,  // nothing shown
    NoLibrary,  // the GTK host library is missing or broken: `why` says how
};

DesktopFrame showDesktopPropertyFrame(const std::string& caption, const std::vector<ComPtr<IPropertyPage>>& pages,
                                      HRESULT& result, std::string& why);

}  // namespace ui
