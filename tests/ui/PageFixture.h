// A template property page activated in a frame of the in-memory host, with
// a page site that records status changes, over a private registry.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "com/ComPtr.h"
#include "common/TestEnv.h"
#include "HeadlessHost.h"
#include "TemplateSetting.h"
#include "settings/OrvelComPage.h"
#include "settings/OrvelComPageResources.h"
#include "ui/PropertyPage.h"
#include "ui/WindowHost.h"

namespace uitest {

// Records OnStatusChange flags.
class RecordingSite final : public IPropertyPageSite {
public:
    HRESULT QueryInterface(REFIID riid, void** object) override
    {
        if (!object) return E_POINTER;
        if (riid == IUnknown::iid || riid == IPropertyPageSite::iid) {
            *object = static_cast<IPropertyPageSite*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++references; }
    ULONG Release() override { return --references; }  // lives on the test's stack
    HRESULT OnStatusChange(DWORD flags) override
    {
        statusChanges.push_back(flags);
        return S_OK;
    }
    HRESULT GetLocaleID(LCID* locale) override
    {
        if (locale) *locale = 0x0409;
        return S_OK;
    }
    HRESULT GetPageContainer(IUnknown**) override { return E_NOTIMPL; }
    HRESULT TranslateAccelerator(MSG*) override { return S_FALSE; }

    std::vector<DWORD> statusChanges;
    ULONG references = 0;
};

class PageTest : public ::testing::Test {
protected:
    PageTest() : installHost(host)
    {
        HRESULT hr = OrvelComPage::createInstance(nullptr, IPropertyPage::iid, page.putVoid());
        if (FAILED(hr)) throw std::runtime_error("cannot create the page");
        page->SetPageSite(&site);
        frame = host.createFrame("Orvel Properties", SIZE{400, 120});
    }
    ~PageTest() override
    {
        if (page) {
            page->Deactivate();
            page->SetPageSite(nullptr);
        }
    }

    void activate()
    {
        RECT rect{10, 20, 363, 101};
        ASSERT_EQ(page->Activate(frame, &rect, TRUE_BOOL), S_OK);
        ASSERT_EQ(page->Show(SW_SHOW), S_OK);
        dialog = host.childWindows(frame).at(0);
    }
    WindowHandle edit() { return host.dialogItem(dialog, IDC_TEMPLATE_NAME); }
    WindowHandle browseButton() { return host.dialogItem(dialog, IDC_BROWSE); }
    std::string boxText() { return host.text(edit()); }
    // The user replaces the box's content with text.
    void replaceText(const std::string& text)
    {
        ASSERT_TRUE(host.selectAll(edit()));
        if (text.empty())
            ASSERT_TRUE(host.pressDelete(edit()));
        else
            ASSERT_TRUE(host.type(edit(), text));
    }
    // A file that exists, in the test's folder.
    std::string makeFile(const std::string& name)
    {
        auto path = folder / name;
        testenv::writeFile(path, "template");
        return path.string();
    }

    testenv::ScopedRegistry registry;
    testenv::TempDir folder;
    ui::HeadlessHost host;
    ScopedWindowHost installHost;
    RecordingSite site;
    ComPtr<IPropertyPage> page;
    WindowHandle frame = nullptr;
    WindowHandle dialog = nullptr;
};

}  // namespace uitest
