// orvel settings: the template property page. On the desktop it opens the
// page in a property frame; with --template it plays the user on an
// in-memory host (focus the box, replace its text, Apply); --show prints the
// stored setting.
#include <cstdio>
#include <string>
#include <string_view>

#include "Commands.h"
#include "com/ComError.h"
#include "com/ComPtr.h"
#include "DesktopFrame.h"
#include "HeadlessHost.h"
#include "registry/RegisterDynamic.h"
#include "settings/OrvelComPage.h"
#include "settings/OrvelComPageResources.h"
#include "ui/PropertyPage.h"
#include "ui/WindowHost.h"

namespace orvel_cli {

namespace {

void printHelp()
{
    std::printf(
        "usage: orvel settings                  edit the template in a property page on the desktop\n"
        "       orvel settings --template PATH  store PATH as the template, as if typed into the page\n"
        "       orvel settings --show           print the stored template name\n\n"
        "The template is the PowerPoint design template new presentations get, stored\n"
        "in the registry as PowerPoint/PptTemplateName. The page refuses a name that\n"
        "names no existing regular file (a folder, device or FIFO is refused too;\n"
        "relative names count from the current directory) and a name longer than 255\n"
        "bytes; an empty PATH removes the template.\n"
        "Exit status 0 when the setting was stored or shown, 1 when it was refused or\n"
        "no display could be opened, 2 for a usage error.\n");
}

int usageError(const std::string& what)
{
    std::fprintf(stderr, "orvel settings: %s (see 'orvel settings --help')\n", what.c_str());
    return 2;
}

ComPtr<IPropertyPage> makePage()
{
    ComPtr<IPropertyPage> page;
    com::check(OrvelComPage::createInstance(nullptr, IPropertyPage::iid, page.putVoid()), "template page");
    return page;
}

int showStored()
{
    RegEntry stored = RegisterDynamic().read("PowerPoint", "PptTemplateName", RegEntry(KestString("")), false);
    std::printf("%s\n", stored.value.data());
    return 0;
}

int storeTemplate(const std::string& path)
{
    ui::HeadlessHost host;
    ScopedWindowHost current(host);
    ComPtr<IPropertyPage> page = makePage();

    PROPPAGEINFO info;
    com::check(page->GetPageInfo(&info), "template page");
    CoTaskMemFree(info.pszTitle);
    CoTaskMemFree(info.pszDocString);
    CoTaskMemFree(info.pszHelpFile);
    WindowHandle frame = host.createFrame("Orvel Properties", info.size);
    RECT rect{0, 0, info.size.cx, info.size.cy};
    com::check(page->Activate(frame, &rect, TRUE_BOOL), "template page");
    page->Show(SW_SHOW);

    WindowHandle dialog = host.childWindows(frame).at(0);
    WindowHandle box = host.dialogItem(dialog, IDC_TEMPLATE_NAME);
    host.selectAll(box);  // the first focus shows the stored name, selected
    if (path.empty())
        host.pressDelete(box);
    else
        host.type(box, path);
    HRESULT hr = page->Apply();
    page->Deactivate();
    if (SUCCEEDED(hr)) return 0;

    if (!host.messageBoxes().empty()) {
        const ui::MessageBoxRecord& message = host.messageBoxes().back();
        std::fprintf(stderr, "%s: %s\n", message.caption.c_str(), message.text.c_str());
    } else {
        std::fprintf(stderr, "orvel settings: the template was not stored: %s\n", ComError(hr).what());
    }
    return 1;
}

int showFrame()
{
    HRESULT hr = S_OK;
    std::string why;
    switch (ui::showDesktopPropertyFrame("Orvel", {makePage()}, hr, why)) {
    case ui::DesktopFrame::NoDisplay:
        std::fprintf(stderr, "orvel settings: cannot open a display (use --template PATH without one)\n");
        return 1;
    case ui::DesktopFrame::NoLibrary:
        std::fprintf(stderr, "orvel settings: cannot show the page: %s\n", why.c_str());
        return 1;
    case ui::DesktopFrame::Shown:
        break;
    }
    if (FAILED(hr)) {
        std::fprintf(stderr, "orvel settings: %s\n", ComError(hr).what());
        return 1;
    }
    return 0;
}

}  // namespace

int settingsCommand(Args args)
{
    try {
        if (args.empty()) return showFrame();
        std::string_view first = args[0];
        if (first == "--help" || first == "-h") {
            printHelp();
            return 0;
        }
        if (first == "--show") return args.size() == 1 ? showStored() : usageError("--show takes no argument");
        if (first == "--template") {
            if (args.size() != 2) return usageError("--template takes one PATH");
            return storeTemplate(args[1]);
        }
        return usageError("unknown option '" + std::string(first) + "'");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "orvel settings: %s\n", e.what());
        return 1;
    }
}

}  // namespace orvel_cli
