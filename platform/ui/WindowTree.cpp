#include "WindowTree.h"

#include <algorithm>
#include <bit>

namespace ui {

WindowTree::~WindowTree() = default;

WindowTree::Window* WindowTree::find(WindowHandle handle) const
{
    auto it = windows_.find(reinterpret_cast<std::uintptr_t>(handle));
    return it == windows_.end() ? nullptr : it->second.get();
}

WindowTree::Window& WindowTree::addWindow(Window* parent)
{
    std::uintptr_t key = nextHandle_++;
    auto record = std::make_unique<Window>();
    record->handle = reinterpret_cast<WindowHandle>(key);
    record->parent = parent;
    Window& window = *record;
    windows_.emplace(key, std::move(record));
    if (parent) parent->children.push_back(&window);
    return window;
}

WindowTree::Window& WindowTree::addFrameWindow(Window* parent, std::string title, const RECT& rect)
{
    Window& frame = addWindow(parent);
    frame.kind = Kind::Frame;
    frame.text = std::move(title);
    frame.rect = rect;
    frame.visible = true;
    frame.style = WS_VISIBLE | (parent ? WS_CHILD : 0);
    return frame;
}

WindowHandle WindowTree::createDialog(const DialogTemplate& dialog, WindowHandle parentHandle, DialogProc handler)
{
    Window* parent = nullptr;
    if (parentHandle) {
        parent = find(parentHandle);
        if (!parent) return nullptr;
    } else if (dialog.style & WS_CHILD) {
        return nullptr;  // a child dialog needs a parent
    }
    DialogBaseUnits units = baseUnits(dialog);

    Window& window = addWindow(parent);
    window.kind = Kind::Dialog;
    window.style = dialog.style;
    window.exStyle = dialog.exStyle;
    window.text = dialog.caption;
    window.rect = dialogUnitsToPixels(RECT{dialog.x, dialog.y, dialog.x + dialog.cx, dialog.y + dialog.cy}, units);
    window.visible = (dialog.style & WS_VISIBLE) != 0;
    window.handler = std::move(handler);
    window.fontName = dialog.fontName;
    window.fontPointSize = dialog.fontPointSize;
    nativeCreate(window);

    for (const DialogControl& control : dialog.controls) {
        Window& child = addWindow(&window);
        child.kind = Kind::Control;
        child.controlClass = control.controlClass;
        child.id = control.id;
        child.style = control.style | WS_CHILD;
        child.text = control.text;
        child.rect = dialogUnitsToPixels(
            RECT{control.x, control.y, control.x + control.cx, control.y + control.cy}, units);
        child.visible = (control.style & WS_VISIBLE) != 0;
        nativeCreate(child);
    }

    WindowHandle handle = window.handle;
    sendMessage(window, WM_INITDIALOG, 0, 0);
    return find(handle) ? handle : nullptr;  // the handler may have closed it
}

bool WindowTree::destroyWindow(WindowHandle handle)
{
    Window* window = find(handle);
    if (!window) return false;
    if (window->destroying) return true;  // asked again by a WM_DESTROY handler

    // WM_DESTROY goes to the window first, then to its children; a handler
    // may destroy windows itself, so every step looks its window up again.
    std::vector<WindowHandle> order{handle};
    for (std::size_t i = 0; i < order.size(); ++i)
        if (Window* w = find(order[i]))
            for (Window* child : w->children) order.push_back(child->handle);
    for (WindowHandle h : order)
        if (Window* w = find(h)) w->destroying = true;
    for (WindowHandle h : order)
        if (Window* w = find(h); w && w->handler) sendMessage(*w, WM_DESTROY, 0, 0);

    window = find(handle);
    if (!window) return true;
    nativeDestroy(*window);
    if (window->parent) std::erase(window->parent->children, window);
    forget(*window);
    return true;
}

void WindowTree::forget(Window& window)
{
    std::vector<Window*> children = std::move(window.children);
    for (Window* child : children) forget(*child);
    windows_.erase(reinterpret_cast<std::uintptr_t>(window.handle));
}

bool WindowTree::isWindow(WindowHandle handle) { return find(handle) != nullptr; }

bool WindowTree::moveWindow(WindowHandle handle, const RECT& rect)
{
    Window* window = find(handle);
    if (!window) return false;
    window->rect = rect;
    nativeMove(*window);
    return true;
}

bool WindowTree::showWindow(WindowHandle handle, int command)
{
    Window* window = find(handle);
    if (!window) return false;
    window->visible = command != SW_HIDE;
    if (window->visible)
        window->style |= WS_VISIBLE;
    else
        window->style &= ~WS_VISIBLE;
    nativeShow(*window);
    return true;
}

WindowHandle WindowTree::dialogItem(WindowHandle dialog, int id)
{
    Window* window = find(dialog);
    if (!window) return nullptr;
    for (Window* child : window->children)
        if (child->id == id) return child->handle;
    return nullptr;
}

bool WindowTree::setWindowText(WindowHandle handle, std::string_view text)
{
    Window* window = find(handle);
    if (!window) return false;
    window->text = std::string(text);
    nativeSetText(*window);
    if (window->kind == Kind::Control && window->controlClass == ControlClass::Edit) notifyParent(*window, EN_CHANGE);
    return true;
}

bool WindowTree::windowText(WindowHandle handle, std::string& text)
{
    Window* window = find(handle);
    if (!window) return false;
    text = window->text;
    return true;
}

LONG WindowTree::windowLong(WindowHandle handle, int index)
{
    Window* window = find(handle);
    if (!window) return 0;
    if (index == GWL_STYLE) return std::bit_cast<LONG>(window->style);
    if (index == GWL_EXSTYLE) return std::bit_cast<LONG>(window->exStyle);
    return 0;
}

LONG WindowTree::setWindowLong(WindowHandle handle, int index, LONG value)
{
    Window* window = find(handle);
    if (!window || (index != GWL_STYLE && index != GWL_EXSTYLE)) return 0;
    DWORD& field = index == GWL_STYLE ? window->style : window->exStyle;
    STYLESTRUCT change{field, std::bit_cast<DWORD>(value)};
    sendMessage(*window, WM_STYLECHANGING, static_cast<WPARAM>(static_cast<LONG_PTR>(index)),
                reinterpret_cast<LPARAM>(&change));
    window = find(handle);
    if (!window) return 0;
    DWORD& stored = index == GWL_STYLE ? window->style : window->exStyle;
    DWORD old = stored;
    stored = change.styleNew;
    if (index == GWL_STYLE) window->visible = (stored & WS_VISIBLE) != 0;
    sendMessage(*window, WM_STYLECHANGED, static_cast<WPARAM>(static_cast<LONG_PTR>(index)),
                reinterpret_cast<LPARAM>(&change));
    if (Window* still = find(handle)) nativeStyleChanged(*still);
    return std::bit_cast<LONG>(old);
}

void WindowTree::notifyParent(Window& control, WORD code)
{
    if (!control.parent) return;
    sendMessage(*control.parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(control.id), code),
                reinterpret_cast<LPARAM>(control.handle));
}

INT_PTR WindowTree::sendMessage(Window& dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!dialog.handler) return 0;
    // A copy: the handler may destroy its own window while it runs.
    DialogProc handler = dialog.handler;
    return handler(dialog.handle, message, wParam, lParam);
}

void WindowTree::textChangedByUser(Window& control, std::string text)
{
    control.text = std::move(text);
    if (control.controlClass == ControlClass::Edit) notifyParent(control, EN_CHANGE);
}

std::vector<WindowHandle> WindowTree::childWindows(WindowHandle handle) const
{
    std::vector<WindowHandle> out;
    if (Window* window = find(handle))
        for (Window* child : window->children) out.push_back(child->handle);
    return out;
}

WindowHandle WindowTree::parentWindow(WindowHandle handle) const
{
    Window* window = find(handle);
    return window && window->parent ? window->parent->handle : nullptr;
}

bool WindowTree::isVisible(WindowHandle handle) const
{
    Window* window = find(handle);
    return window && window->visible;
}

RECT WindowTree::windowRect(WindowHandle handle) const
{
    Window* window = find(handle);
    return window ? window->rect : RECT{};
}

std::string WindowTree::text(WindowHandle handle) const
{
    Window* window = find(handle);
    return window ? window->text : std::string();
}

int WindowTree::controlId(WindowHandle handle) const
{
    Window* window = find(handle);
    return window ? window->id : IDC_STATIC;
}

}  // namespace ui
