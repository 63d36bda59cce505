// The Windows-shaped window functions: thin forwarding to the current host.
#include "ui/Window.h"

#include <cstring>
#include <string>

namespace {

// Classic metrics of "MS Sans Serif" 8 pt at 96 DPI, used when no host can
// measure a font.
constexpr DialogBaseUnits classicBaseUnits{6, 13};

// MulDiv: a * b / c rounded half away from zero.
LONG mulDiv(LONG a, LONG b, LONG c)
{
    long long product = static_cast<long long>(a) * b;
    long long half = c / 2;
    return static_cast<LONG>(product >= 0 ? (product + half) / c : (product - half) / c);
}

// Length of the longest prefix of text that fits limit bytes without
// splitting a UTF-8 sequence.
std::size_t utf8Prefix(const std::string& text, std::size_t limit)
{
    if (text.size() <= limit) return text.size();
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return end;
}

}  // namespace

RECT dialogUnitsToPixels(const RECT& units, const DialogBaseUnits& base)
{
    return RECT{mulDiv(units.left, base.averageCharWidth, 4), mulDiv(units.top, base.charHeight, 8),
                mulDiv(units.right, base.averageCharWidth, 4), mulDiv(units.bottom, base.charHeight, 8)};
}

WindowHandle CreateDialogIndirect(const DialogTemplate& dialog, WindowHandle parent, DialogProc handler)
{
    WindowHost* host = currentWindowHost();
    return host ? host->createDialog(dialog, parent, std::move(handler)) : nullptr;
}

BOOL DestroyWindow(WindowHandle window)
{
    WindowHost* host = currentWindowHost();
    return host && host->destroyWindow(window);
}

BOOL IsWindow(WindowHandle window)
{
    WindowHost* host = currentWindowHost();
    return host && window && host->isWindow(window);
}

BOOL MoveWindow(WindowHandle window, int x, int y, int width, int height, BOOL)
{
    WindowHost* host = currentWindowHost();
    return host && host->moveWindow(window, RECT{x, y, x + width, y + height});
}

BOOL ShowWindow(WindowHandle window, int command)
{
    WindowHost* host = currentWindowHost();
    return host && host->showWindow(window, command);
}

WindowHandle GetDlgItem(WindowHandle dialog, int id)
{
    WindowHost* host = currentWindowHost();
    return host ? host->dialogItem(dialog, id) : nullptr;
}

BOOL SetDlgItemText(WindowHandle dialog, int id, const char* text)
{
    WindowHost* host = currentWindowHost();
    if (!host) return 0;
    WindowHandle item = host->dialogItem(dialog, id);
    return item && host->setWindowText(item, text ? text : "");
}

UINT GetDlgItemText(WindowHandle dialog, int id, char* buffer, int maxCount)
{
    if (!buffer || maxCount <= 0) return 0;
    buffer[0] = '\0';
    WindowHost* host = currentWindowHost();
    if (!host) return 0;
    WindowHandle item = host->dialogItem(dialog, id);
    std::string text;
    if (!item || !host->windowText(item, text)) return 0;
    std::size_t count = utf8Prefix(text, static_cast<std::size_t>(maxCount) - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return static_cast<UINT>(count);
}

LONG GetWindowLong(WindowHandle window, int index)
{
    WindowHost* host = currentWindowHost();
    return host ? host->windowLong(window, index) : 0;
}

LONG SetWindowLong(WindowHandle window, int index, LONG value)
{
    WindowHost* host = currentWindowHost();
    return host ? host->setWindowLong(window, index, value) : 0;
}

BOOL MapDialogRect(const DialogTemplate& dialog, RECT* rect)
{
    if (!rect) return 0;
    WindowHost* host = currentWindowHost();
    *rect = dialogUnitsToPixels(*rect, host ? host->baseUnits(dialog) : classicBaseUnits);
    return 1;
}

BOOL GetOpenFileName(OPENFILENAME* request)
{
    WindowHost* host = currentWindowHost();
    if (!host || !request || !request->lpstrFile || request->nMaxFile == 0) return 0;
    return host->openFileDialog(*request);
}
