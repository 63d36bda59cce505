#include "text/ParagraphStyles.h"

namespace {

ParagraphStyle fontStyle(const char* name, short size, bool bold = false, bool italic = false)
{
    ParagraphStyle style;
    style.font.name = name;
    style.font.size = size;
    style.font.bold = bold;
    style.font.italic = italic;
    return style;
}

}  // namespace

ParagraphStyle paragraphStyle(const KestString& styleName)
{
    if (styleName == KestString("Normal")) return fontStyle("Times New Roman", 20);
    if (styleName.find(KestString("List Bullet")) != KestString::npos) {
        ParagraphStyle bullets;
        bullets.bullet = true;
        return bullets;
    }
    if (styleName == KestString("Heading 1")) return fontStyle("Arial", 26, true);
    if (styleName == KestString("Heading 2")) return fontStyle("Arial", 24, true, true);
    if (styleName == KestString("Heading 3")) return fontStyle("Arial", 24, true);
    if (styleName == KestString("Heading 4")) return fontStyle("Arial", 24);
    if (styleName == KestString("Heading 5")) return fontStyle("Times New Roman", 22, true);
    if (styleName == KestString("Heading 6")) return fontStyle("Times New Roman", 22, false, true);
    return fontStyle("Times New Roman", 20);
}
