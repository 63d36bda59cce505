// The fixed table of paragraph styles a client can name with setStyle.
#pragma once

#include "support/KestString.h"
#include "text/FontData.h"

struct ParagraphStyle {
    bool bullet = false;  // true: switch bullets on and keep the current font
    FontData font;        // the font to set when bullet is false
};

// First matching row wins; names are compared exactly, case-sensitively.
ParagraphStyle paragraphStyle(const KestString& styleName);
