// Windows-shaped window functions, served by the current host (ui/WindowHost.h).
// Each fails softly (null, FALSE, 0) when there is no host or the handle is
// not a window.
#pragma once

#include "ui/DialogTemplate.h"
#include "ui/FileDialog.h"
#include "ui/WindowHost.h"
#include "ui/WindowTypes.h"

WindowHandle CreateDialogIndirect(const DialogTemplate& dialog, WindowHandle parent, DialogProc handler);
BOOL DestroyWindow(WindowHandle window);
BOOL IsWindow(WindowHandle window);
BOOL MoveWindow(WindowHandle window, int x, int y, int width, int height, BOOL repaint);
BOOL ShowWindow(WindowHandle window, int command);
WindowHandle GetDlgItem(WindowHandle dialog, int id);
// text null means "".
BOOL SetDlgItemText(WindowHandle dialog, int id, const char* text);
// Copies at most maxCount - 1 bytes (never a partial UTF-8 character) and a
// NUL; returns the bytes copied.
UINT GetDlgItemText(WindowHandle dialog, int id, char* buffer, int maxCount);
LONG GetWindowLong(WindowHandle window, int index);
LONG SetWindowLong(WindowHandle window, int index, LONG value);
// The template's rectangle in pixels, through its font's metrics.
BOOL MapDialogRect(const DialogTemplate& dialog, RECT* rect);
BOOL GetOpenFileName(OPENFILENAME* request);
