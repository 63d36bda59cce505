#include "settings/OrvelComPageResources.h"

#include <map>

namespace {

DialogTemplate templatePage()
{
    DialogTemplate dialog;
    dialog.style = WS_CHILD | DS_SETFONT;
    dialog.cx = 235;
    dialog.cy = 50;
    dialog.fontName = "MS Sans Serif";
    dialog.fontPointSize = 8;
    dialog.controls = {
        {ControlClass::Static, IDC_STATIC, 5, 5, 110, 8, "&PowerPoint template file", SS_LEFT | WS_VISIBLE | WS_GROUP},
        {ControlClass::Edit, IDC_TEMPLATE_NAME, 5, 14, 211, 14, "",
         ES_LEFT | ES_AUTOHSCROLL | WS_VISIBLE | WS_BORDER | WS_TABSTOP},
        {ControlClass::Button, IDC_BROWSE, 218, 14, 12, 14, "...", BS_PUSHBUTTON | WS_VISIBLE | WS_TABSTOP},
    };
    return dialog;
}

}  // namespace

const DialogTemplate* findDialogResource(int id)
{
    static const DialogTemplate page = templatePage();
    return id == IDD_PPTCOMPAGE ? &page : nullptr;
}

std::optional<std::string> loadStringResource(int id)
{
    // 104, the help file, is deliberately absent: the page has no help.
    static const std::map<int, std::string> strings = {
        {IDS_TITLEPptComPage, "&PowerPoint"},
        {IDS_DOCSTRINGPptComPage, "Microsoft PowerPoint Settings"},
    };
    auto it = strings.find(id);
    if (it == strings.end()) return std::nullopt;
    return it->second;
}
