// The OLE property page interfaces: a frame (IPropertyPageSite) hosts pages
// (IPropertyPage), each a child dialog it activates inside its own window.
#pragma once

#include <cstddef>
#include <string_view>

#include "com/ComTypes.h"
#include "ui/WindowTypes.h"

// Page information. The strings are allocated with CoTaskMemAlloc; the
// caller frees them with CoTaskMemFree.
struct PROPPAGEINFO {
    ULONG cb = sizeof(PROPPAGEINFO);
    LPOLESTR pszTitle = nullptr;
    SIZE size;
    LPOLESTR pszDocString = nullptr;
    LPOLESTR pszHelpFile = nullptr;
    DWORD dwHelpContext = 0;
};

// IPropertyPageSite::OnStatusChange flags.
constexpr DWORD PROPPAGESTATUS_DIRTY = 0x1;
constexpr DWORD PROPPAGESTATUS_VALIDATE = 0x2;
constexpr DWORD PROPPAGESTATUS_CLEAN = 0x4;

struct IPropertyPageSite : IUnknown {
    static constexpr IID iid = makeGuid("{B196B28C-BAB4-101A-B69C-00AA00341D07}");
    virtual HRESULT OnStatusChange(DWORD flags) = 0;
    virtual HRESULT GetLocaleID(LCID* locale) = 0;
    virtual HRESULT GetPageContainer(IUnknown** container) = 0;
    virtual HRESULT TranslateAccelerator(MSG* message) = 0;

protected:
    ~IPropertyPageSite() = default;
};

struct IPropertyPage : IUnknown {
    static constexpr IID iid = makeGuid("{B196B28D-BAB4-101A-B69C-00AA00341D07}");
    virtual HRESULT SetPageSite(IPropertyPageSite* site) = 0;
    virtual HRESULT Activate(WindowHandle parent, LPCRECT rect, BOOL modal) = 0;
    virtual HRESULT Deactivate() = 0;
    virtual HRESULT GetPageInfo(PROPPAGEINFO* info) = 0;
    virtual HRESULT SetObjects(ULONG count, IUnknown** objects) = 0;
    virtual HRESULT Show(UINT command) = 0;
    virtual HRESULT Move(LPCRECT rect) = 0;
    virtual HRESULT IsPageDirty() = 0;
    virtual HRESULT Apply() = 0;
    virtual HRESULT Help(LPCOLESTR helpDirectory) = 0;
    virtual HRESULT TranslateAccelerator(MSG* message) = 0;

protected:
    ~IPropertyPage() = default;
};

// The COM task allocator. CoTaskMemFree(nullptr) does nothing.
void* CoTaskMemAlloc(std::size_t bytes);
void CoTaskMemFree(void* memory);
namespace com {
// A task-allocated, NUL-terminated UTF-16 copy of UTF-8 text; null when out of memory.
LPOLESTR allocTaskString(std::string_view utf8);
}  // namespace com
