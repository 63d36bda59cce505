// The common file-open dialog, in the shape of GetOpenFileName (8-bit text:
// UTF-8 on this platform).
#pragma once

#include "ui/WindowTypes.h"

constexpr DWORD OFN_READONLY = 0x00000001;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;

struct OPENFILENAME {
    DWORD lStructSize = sizeof(OPENFILENAME);
    WindowHandle hwndOwner = nullptr;
    // Pairs of NUL-terminated strings (display name, patterns separated by
    // ";"), the list ended by an extra NUL.
    const char* lpstrFilter = nullptr;
    // In: the initial selection (may be empty). Out: the chosen path.
    char* lpstrFile = nullptr;
    // Characters lpstrFile can take, its terminating NUL included.
    DWORD nMaxFile = 0;
    const char* lpstrInitialDir = nullptr;
    const char* lpstrTitle = nullptr;
    DWORD Flags = 0;
    const char* lpstrDefExt = nullptr;
};
