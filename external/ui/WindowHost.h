// The window layer's host: whatever shows dialogs in this process (a GTK
// desktop, or an in-memory host for tests and scripts). The component never
// talks to a host directly; it uses the functions of ui/Window.h, which go to
// the current host.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "support/KestMessageBox.h"
#include "ui/DialogTemplate.h"
#include "ui/FileDialog.h"
#include "ui/WindowTypes.h"

// A dialog's message handler. Answers TRUE when it handled the message. The
// host calls it on the thread that made the dialog, possibly re-entrantly
// (a handler that sets a control's text receives that control's EN_CHANGE
// before the call returns).
using DialogProc = std::function<INT_PTR(WindowHandle dialog, UINT message, WPARAM wParam, LPARAM lParam)>;

// Message boxes go through KestMessageBox, which the current host serves.
class WindowHost : public MessageBoxHost {
public:
    // Dialog-unit metrics of a dialog template's font.
    virtual DialogBaseUnits baseUnits(const DialogTemplate& dialog) = 0;
    // A dialog as a child of parent (null for a top-level dialog), with its
    // controls; the handler gets WM_INITDIALOG before this returns. Null when
    // the parent is not a window.
    virtual WindowHandle createDialog(const DialogTemplate& dialog, WindowHandle parent, DialogProc handler) = 0;
    // Destroys the window with its children; the dialog handler gets WM_DESTROY.
    virtual bool destroyWindow(WindowHandle window) = 0;
    virtual bool isWindow(WindowHandle window) = 0;
    // Position in the parent's client area, in pixels.
    virtual bool moveWindow(WindowHandle window, const RECT& rect) = 0;
    virtual bool showWindow(WindowHandle window, int command) = 0;
    virtual WindowHandle dialogItem(WindowHandle dialog, int id) = 0;
    // Sets a window's text; an edit control then notifies EN_CHANGE.
    virtual bool setWindowText(WindowHandle window, std::string_view text) = 0;
    // False when the handle is not a window.
    virtual bool windowText(WindowHandle window, std::string& text) = 0;
    virtual LONG windowLong(WindowHandle window, int index) = 0;
    // Sends WM_STYLECHANGING (the handler may adjust the new style), stores
    // the style and returns the previous one.
    virtual LONG setWindowLong(WindowHandle window, int index, LONG value) = 0;
    // Modal; true when the user chose a file (written into lpstrFile).
    virtual bool openFileDialog(OPENFILENAME& request) = 0;
};

// The host serving this process (null: none; dialogs cannot be made, dialog
// units use the classic metrics, message boxes fall back to standard error).
WindowHost* currentWindowHost();
// Installs a host (or none) for the window functions and KestMessageBox.
void setCurrentWindowHost(WindowHost* host);

// Installs a host for a scope and puts the previous one back.
class ScopedWindowHost {
public:
    explicit ScopedWindowHost(WindowHost& host);
    ScopedWindowHost(const ScopedWindowHost&) = delete;
    ScopedWindowHost& operator=(const ScopedWindowHost&) = delete;
    ~ScopedWindowHost();

private:
    WindowHost* previous_;
    MessageBoxHost* previousMessageBoxHost_;
};
