// Window-layer basics in the shape of the Windows API: handles, message
// parameters, rectangles, the messages, notifications and styles that
// dialogs and property pages use. Values follow the Windows headers.
#pragma once

#include <cstdint>

#include "com/ComTypes.h"
#include "support/KestMessageBox.h"  // WindowHandle

using INT_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using LONG_PTR = std::intptr_t;
using WPARAM = UINT_PTR;
using LPARAM = LONG_PTR;
using LRESULT = LONG_PTR;

struct POINT {
    LONG x = 0;
    LONG y = 0;
};

struct SIZE {
    LONG cx = 0;
    LONG cy = 0;
};

struct RECT {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
};
using LPCRECT = const RECT*;

// A queued input message, as the frame passes it to TranslateAccelerator.
struct MSG {
    WindowHandle hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD time = 0;
    POINT pt;
};

constexpr WORD LOWORD(UINT_PTR value) { return static_cast<WORD>(value & 0xFFFFu); }
constexpr WORD HIWORD(UINT_PTR value) { return static_cast<WORD>((value >> 16) & 0xFFFFu); }
constexpr WPARAM MAKEWPARAM(WORD low, WORD high) { return static_cast<WPARAM>(low) | (static_cast<WPARAM>(high) << 16); }

// Messages.
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_STYLECHANGING = 0x007C;
constexpr UINT WM_STYLECHANGED = 0x007D;
constexpr UINT WM_INITDIALOG = 0x0110;
constexpr UINT WM_COMMAND = 0x0111;

// WM_COMMAND notification codes (high word of wParam).
constexpr WORD BN_CLICKED = 0;
constexpr WORD EN_SETFOCUS = 0x0100;
constexpr WORD EN_KILLFOCUS = 0x0200;
constexpr WORD EN_CHANGE = 0x0300;

// Window styles.
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_GROUP = 0x00020000;
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD DS_SETFONT = 0x40;
constexpr DWORD SS_LEFT = 0x0;
constexpr DWORD ES_LEFT = 0x0;
constexpr DWORD ES_AUTOHSCROLL = 0x80;
constexpr DWORD BS_PUSHBUTTON = 0x0;

// Extended window styles.
constexpr DWORD WS_EX_CONTROLPARENT = 0x00010000;

// GetWindowLong / SetWindowLong indexes; WM_STYLECHANGING's wParam.
constexpr int GWL_EXSTYLE = -20;
constexpr int GWL_STYLE = -16;

// WM_STYLECHANGING's lParam: the handler may change styleNew.
struct STYLESTRUCT {
    DWORD styleOld = 0;
    DWORD styleNew = 0;
};

// ShowWindow commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOW = 5;

// A dialog control without an id (statics).
constexpr int IDC_STATIC = -1;
