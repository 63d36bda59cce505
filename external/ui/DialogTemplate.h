// Dialog templates as data: what a dialog resource holds. Positions and sizes
// are in dialog units; the window layer turns them into pixels through the
// dialog font's metrics.
#pragma once

#include <string>
#include <vector>

#include "ui/WindowTypes.h"

enum class ControlClass { Static, Edit, Button };

struct DialogControl {
    ControlClass controlClass = ControlClass::Static;
    int id = IDC_STATIC;
    short x = 0;
    short y = 0;
    short cx = 0;
    short cy = 0;
    std::string text;  // UTF-8; "&" marks the mnemonic, "&&" is a literal "&"
    DWORD style = 0;
};

struct DialogTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0;
    short y = 0;
    short cx = 0;
    short cy = 0;
    std::string caption;
    std::string fontName;  // with DS_SETFONT
    WORD fontPointSize = 0;
    std::vector<DialogControl> controls;
};

// What one dialog unit is worth in the dialog's font: the average width of
// the letters A-Z and a-z (a horizontal unit is a quarter of it) and the
// character height (a vertical unit is an eighth of it).
struct DialogBaseUnits {
    int averageCharWidth = 0;
    int charHeight = 0;
};

// Dialog-unit rectangle to pixels, rounding each edge as MulDiv does.
RECT dialogUnitsToPixels(const RECT& units, const DialogBaseUnits& base);
