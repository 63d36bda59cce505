#include "settings/OrvelComPage.h"

#include <array>
#include <cstring>
#include <exception>
#include <optional>
#include <string>
#include <utility>

#include "com/ComError.h"
#include "com/ErrorInfo.h"
#include "registration/OrvelModule.h"
#include "registry/RegEntry.h"
#include "registry/RegisterDynamic.h"
#include "settings/OrvelComPageResources.h"
#include "support/KestMessageBox.h"
#include "support/SysFile.h"
#include "ui/Window.h"

namespace {

const KestString settingGroup = "PowerPoint";
const KestString settingName = "PptTemplateName";

// The longest template name the page stores. The box is read with room for
// one more character (up to four UTF-8 bytes), so a longer name is seen as
// such and never stored cut short.
constexpr std::size_t maxTemplateName = 255;
// The browse dialog's file-name buffer and the length it may fill.
constexpr std::size_t fileBufferSize = 260;
constexpr DWORD maxFileName = 259;

KestString boxText(WindowHandle dialog)
{
    std::array<char, maxTemplateName + 5> text{};
    GetDlgItemText(dialog, IDC_TEMPLATE_NAME, text.data(), static_cast<int>(text.size()));
    return KestString(text.data());
}

KestString storedTemplateName()
{
    return RegisterDynamic().read(settingGroup, settingName, RegEntry(KestString("")), false);
}

// COM methods answer with a status, never an exception.
template <class Body>
HRESULT guarded(Body&& body) noexcept
{
    return com::guardHresult("PptComPage", std::forward<Body>(body));
}

}  // namespace

HRESULT OrvelComPage::createInstance(IUnknown* outer, REFIID riid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer && !(riid == IUnknown::iid)) return CLASS_E_NOAGGREGATION;
    return com::createObject(riid, object, [&] { return std::make_unique<OrvelComPage>(Token{}, outer).release(); });
}

OrvelComPage::OrvelComPage(Token, IUnknown* outer)
    : Object(outer), moduleLock_(orvelModuleLock())
{
}

OrvelComPage::~OrvelComPage() { destroyDialog(); }

HRESULT OrvelComPage::SetPageSite(IPropertyPageSite* site)
{
    site_ = ComPtr<IPropertyPageSite>(site);
    return S_OK;
}

HRESULT OrvelComPage::Activate(WindowHandle parent, LPCRECT rect, BOOL)
{
    if (!rect) return E_POINTER;
    if (dialog_) return E_UNEXPECTED;
    const DialogTemplate* resource = findDialogResource(IDD_PPTCOMPAGE);
    if (!resource) return E_UNEXPECTED;
    return guarded([&] {
        deactivatedText_ = KestString();
        WindowHandle dialog = CreateDialogIndirect(*resource, parent,
            [this](WindowHandle window, UINT message, WPARAM wParam, LPARAM lParam) {
                return handleMessage(window, message, wParam, lParam);
            });
        if (!dialog) return E_FAIL;
        dialog_ = dialog;
        MoveWindow(dialog_, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, TRUE_BOOL);
        return S_OK;
    });
}

HRESULT OrvelComPage::Deactivate()
{
    if (!dialog_) return S_OK;
    return guarded([&] {
        // A frame may still apply a changed page after switching away from it.
        deactivatedText_ = boxText(dialog_);
        destroyDialog();
        return S_OK;
    });
}

void OrvelComPage::destroyDialog()
{
    // Messages that the destruction itself sends find no dialog any more.
    if (WindowHandle dialog = std::exchange(dialog_, nullptr)) DestroyWindow(dialog);
}

HRESULT OrvelComPage::GetPageInfo(PROPPAGEINFO* info)
{
    if (!info) return E_POINTER;
    const DialogTemplate* resource = findDialogResource(IDD_PPTCOMPAGE);
    if (!resource) return E_UNEXPECTED;
    return guarded([&] {
        RECT rect{0, 0, resource->cx, resource->cy};
        if (!MapDialogRect(*resource, &rect)) return E_UNEXPECTED;

        std::optional<std::string> title = loadStringResource(IDS_TITLEPptComPage);
        std::optional<std::string> docString = loadStringResource(IDS_DOCSTRINGPptComPage);
        std::optional<std::string> helpFile = loadStringResource(IDS_HELPFILEPptComPage);
        LPOLESTR titleText = title ? com::allocTaskString(*title) : nullptr;
        LPOLESTR docText = docString ? com::allocTaskString(*docString) : nullptr;
        LPOLESTR helpText = helpFile ? com::allocTaskString(*helpFile) : nullptr;
        if ((title && !titleText) || (docString && !docText) || (helpFile && !helpText)) {
            CoTaskMemFree(titleText);
            CoTaskMemFree(docText);
            CoTaskMemFree(helpText);
            return E_OUTOFMEMORY;
        }
        info->cb = sizeof(PROPPAGEINFO);
        info->pszTitle = titleText;
        info->size = SIZE{rect.right - rect.left, rect.bottom - rect.top};
        info->pszDocString = docText;
        info->pszHelpFile = helpText;
        info->dwHelpContext = 0;
        return S_OK;
    });
}

HRESULT OrvelComPage::SetObjects(ULONG count, IUnknown** objects)
{
    if (count > 0 && !objects) return E_POINTER;
    return guarded([&] {
        std::vector<ComPtr<IUnknown>> kept;
        kept.reserve(count);
        for (ULONG i = 0; i < count; ++i) kept.emplace_back(objects[i]);
        objects_ = std::move(kept);
        return S_OK;
    });
}

HRESULT OrvelComPage::Show(UINT command)
{
    if (!dialog_) return E_UNEXPECTED;
    ShowWindow(dialog_, static_cast<int>(command));
    return S_OK;
}

HRESULT OrvelComPage::Move(LPCRECT rect)
{
    if (!rect) return E_POINTER;
    if (!dialog_) return E_UNEXPECTED;
    MoveWindow(dialog_, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, TRUE_BOOL);
    return S_OK;
}

HRESULT OrvelComPage::IsPageDirty() { return dirty_ ? S_OK : S_FALSE; }

HRESULT OrvelComPage::Apply()
{
    return guarded([&] {
        if (dialog_) return applyText(boxText(dialog_));
        // Not active: only a change left behind by Deactivate is there to store.
        return dirty_ ? applyText(deactivatedText_) : S_OK;
    });
}

HRESULT OrvelComPage::applyText(const KestString& text)
{
    // Only a template file will do: a folder, a device or a FIFO is refused
    // (a FIFO would block every later create), and so is a name the page
    // cannot hold whole.
    bool usable = text.length() <= maxTemplateName && SysFile::isRegularFile(text);
    if (!text.isEmpty() && !usable) {
        KestString message = text;
        message.append("\nFile Not Found.\n");
        message.append("Please verify the correct template name was given.");
        KestMessageBox(dialog_, message, "Invalid Value", MB_OK | MB_ICONEXCLAMATION);
        return E_UNEXPECTED;
    }
    // An empty name is stored too: it means "no template".
    if (!RegisterDynamic().write(settingGroup, settingName, RegEntry(text), false)) return REGDB_E_WRITEREGDB;
    dirty_ = 0;
    return S_OK;
}

HRESULT OrvelComPage::Help(LPCOLESTR) { return E_NOTIMPL; }  // the page has no help file

HRESULT OrvelComPage::TranslateAccelerator(MSG* message)
{
    if (!message) return E_POINTER;
    return S_FALSE;  // no accelerators of its own
}

INT_PTR OrvelComPage::handleMessage(WindowHandle dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) return TRUE_BOOL;
    if (!dialog_ || dialog != dialog_) return 0;  // still being made, or being destroyed
    try {
        if (message == WM_COMMAND) {
            WORD id = LOWORD(wParam);
            WORD code = HIWORD(wParam);
            if (id == IDC_BROWSE && code == BN_CLICKED) {
                browse();
                return TRUE_BOOL;
            }
            if (id == IDC_TEMPLATE_NAME && code == EN_CHANGE) {
                markDirty();
                return TRUE_BOOL;
            }
            if (id == IDC_TEMPLATE_NAME && code == EN_SETFOCUS) {
                firstLoad();
                return TRUE_BOOL;
            }
            return 0;
        }
        if (message == WM_STYLECHANGING && static_cast<int>(static_cast<LONG_PTR>(wParam)) == GWL_EXSTYLE) {
            // Lets the frame tab into the page's controls.
            if (auto* change = reinterpret_cast<STYLESTRUCT*>(lParam)) change->styleNew |= WS_EX_CONTROLPARENT;
            return TRUE_BOOL;
        }
    } catch (...) {
        // A message handler has nobody to report to; the page stays as it was.
    }
    return 0;
}

void OrvelComPage::firstLoad()
{
    if (!loadPending_) return;
    KestString stored = storedTemplateName();
    SetDlgItemText(dialog_, IDC_TEMPLATE_NAME, stored.data());
    loadPending_ = false;
}

void OrvelComPage::markDirty()
{
    if (dirty_) return;
    dirty_ = TRUE_BOOL;
    if (ComPtr<IPropertyPageSite> site = site_) site->OnStatusChange(PROPPAGESTATUS_DIRTY);
}

void OrvelComPage::browse()
{
    // The stored setting, not the box's text, is where the user starts.
    KestString stored = storedTemplateName();
    std::array<char, fileBufferSize> file{};
    // A stored name too long for the buffer would come back cut into another
    // name: start with no selection instead.
    if (stored.length() < maxFileName) std::memcpy(file.data(), stored.data(), stored.length());

    OPENFILENAME request;
    request.hwndOwner = dialog_;
    request.lpstrFilter = "PowerPoint Template Files (*.pot)\0*.pot\0";
    request.lpstrFile = file.data();
    request.nMaxFile = maxFileName;
    request.lpstrTitle = "Select PowerPoint Template File";
    request.Flags = OFN_HIDEREADONLY;
    if (GetOpenFileName(&request)) SetDlgItemText(dialog_, IDC_TEMPLATE_NAME, file.data());
}
