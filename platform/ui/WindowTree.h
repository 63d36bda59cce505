// The part of a window host that both hosts share: the windows as records
// (a tree of frames, dialogs and controls addressed by handles that are never
// reused), their styles, texts and rectangles, and the messages a dialog's
// handler receives. A concrete host mirrors the records on its own surface
// through the native* hooks.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/WindowHost.h"

namespace ui {

class WindowTree : public WindowHost {
public:
    WindowTree() = default;
    WindowTree(const WindowTree&) = delete;
    WindowTree& operator=(const WindowTree&) = delete;
    ~WindowTree() override;

    WindowHandle createDialog(const DialogTemplate& dialog, WindowHandle parent, DialogProc handler) override;
    bool destroyWindow(WindowHandle window) override;
    bool isWindow(WindowHandle window) override;
    bool moveWindow(WindowHandle window, const RECT& rect) override;
    bool showWindow(WindowHandle window, int command) override;
    WindowHandle dialogItem(WindowHandle dialog, int id) override;
    bool setWindowText(WindowHandle window, std::string_view text) override;
    bool windowText(WindowHandle window, std::string& text) override;
    LONG windowLong(WindowHandle window, int index) override;
    LONG setWindowLong(WindowHandle window, int index, LONG value) override;

    // Inspection, for frames, tests and scripts.
    std::vector<WindowHandle> childWindows(WindowHandle window) const;
    WindowHandle parentWindow(WindowHandle window) const;
    bool isVisible(WindowHandle window) const;
    RECT windowRect(WindowHandle window) const;  // in the parent's client area
    std::string text(WindowHandle window) const;
    int controlId(WindowHandle window) const;  // IDC_STATIC for windows without one
    std::size_t windowCount() const { return windows_.size(); }

protected:
    enum class Kind { Frame, Dialog, Control };

    struct Window {
        WindowHandle handle = nullptr;
        Kind kind = Kind::Control;
        ControlClass controlClass = ControlClass::Static;
        int id = IDC_STATIC;
        DWORD style = 0;
        DWORD exStyle = 0;
        std::string text;
        RECT rect;
        bool visible = false;
        Window* parent = nullptr;
        std::vector<Window*> children;
        DialogProc handler;         // dialogs only
        std::string fontName;       // dialogs only
        WORD fontPointSize = 0;     // dialogs only
        void* native = nullptr;     // the concrete host's widget
        bool destroying = false;
    };

    Window* find(WindowHandle handle) const;
    template <class Visit>
    void forEachWindow(Visit&& visit)
    {
        for (auto& [key, window] : windows_) visit(*window);
    }
    // A frame-owned window (not a dialog) that dialogs can be children of.
    Window& addFrameWindow(Window* parent, std::string title, const RECT& rect);
    // WM_COMMAND with the control's id and the code, to its dialog.
    void notifyParent(Window& control, WORD code);
    // Calls the window's dialog handler, if any; FALSE when none.
    INT_PTR sendMessage(Window& dialog, UINT message, WPARAM wParam, LPARAM lParam);
    // The user changed a control's text on the host's surface: store it and
    // notify EN_CHANGE for edit controls.
    void textChangedByUser(Window& control, std::string text);

    // Hooks: the record already holds the new state when they run.
    virtual void nativeCreate(Window&) {}
    virtual void nativeDestroy(Window&) {}  // once per destroyed tree, for its root
    virtual void nativeMove(Window&) {}
    virtual void nativeShow(Window&) {}
    virtual void nativeSetText(Window&) {}
    virtual void nativeStyleChanged(Window&) {}

private:
    Window& addWindow(Window* parent);
    void forget(Window& window);

    std::map<std::uintptr_t, std::unique_ptr<Window>> windows_;
    std::uintptr_t nextHandle_ = 0x1000;
};

}  // namespace ui
