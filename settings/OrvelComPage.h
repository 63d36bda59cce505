// The template property page (COM class PptComPage): edits the PowerPoint
// design template that new presentations get, stored in the registry as
// "PowerPoint"/"PptTemplateName". Answers IUnknown and IPropertyPage; can be
// aggregated; apartment-threaded.
#pragma once

#include <memory>
#include <vector>

#include "com/ComObject.h"
#include "com/ComPtr.h"
#include "com/ComTypes.h"
#include "com/Object.h"
#include "support/KestString.h"
#include "ui/PropertyPage.h"
#include "ui/WindowTypes.h"

class OrvelComPage final : public com::Object<IPropertyPage> {
    struct Token {
        explicit Token() = default;
    };

public:
    static constexpr CLSID clsid = makeGuid("{474BDD95-0170-11D3-A6BF-00104B2AEFE1}");

    // The class factory's creation: with an outer unknown only IUnknown may
    // be asked for (the object's own, non-delegating one).
    static HRESULT createInstance(IUnknown* outer, REFIID riid, void** object);

    OrvelComPage(Token, IUnknown* outer);  // through createInstance only
    OrvelComPage(const OrvelComPage&) = delete;
    OrvelComPage& operator=(const OrvelComPage&) = delete;

    // IPropertyPage
    HRESULT SetPageSite(IPropertyPageSite* site) override;
    HRESULT Activate(WindowHandle parent, LPCRECT rect, BOOL modal) override;
    HRESULT Deactivate() override;
    HRESULT GetPageInfo(PROPPAGEINFO* info) override;
    HRESULT SetObjects(ULONG count, IUnknown** objects) override;
    HRESULT Show(UINT command) override;
    HRESULT Move(LPCRECT rect) override;
    HRESULT IsPageDirty() override;
    HRESULT Apply() override;
    HRESULT Help(LPCOLESTR helpDirectory) override;
    HRESULT TranslateAccelerator(MSG* message) override;

private:
    friend struct std::default_delete<OrvelComPage>;
    ~OrvelComPage() override;

    INT_PTR handleMessage(WindowHandle dialog, UINT message, WPARAM wParam, LPARAM lParam);
    void firstLoad();
    void markDirty();
    void browse();
    HRESULT applyText(const KestString& text);
    void destroyDialog();

    com::ModuleLockHolder moduleLock_;

    BOOL dirty_ = 0;
    bool loadPending_ = true;
    ComPtr<IPropertyPageSite> site_;
    std::vector<ComPtr<IUnknown>> objects_;  // kept as the frame hands them, never used
    WindowHandle dialog_ = nullptr;
    KestString deactivatedText_;  // the box's text at Deactivate, for a later Apply
};
