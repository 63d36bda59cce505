// The page as a COM object: page information, its dialog, calls made out of
// order, and the page clients create from the registered module (its
// interfaces, identity, aggregation and the module lock: registration/RegistrationTest).
#include <filesystem>

#include "PageFixture.h"
#include "com/ComRuntime.h"
#include "com/ComString.h"
#include "common/Modules.h"
#include "ui/Window.h"

namespace uitest {
namespace {

std::string taskText(LPOLESTR text) { return text ? com::utf16ToUtf8(std::u16string_view(text)) : std::string(); }

// Without a window host the page cannot activate but describes itself with
// the classic dialog metrics, as the in-memory host has them.
TEST(PageObject, PageInfoGivesTitleDocStringAndPixelSize)
{
    testenv::ScopedRegistry registry;
    ComPtr<IPropertyPage> page;
    ASSERT_EQ(OrvelComPage::createInstance(nullptr, IPropertyPage::iid, page.putVoid()), S_OK);
    RECT rect{0, 0, 10, 10};
    EXPECT_EQ(page->Activate(reinterpret_cast<WindowHandle>(0x1234), &rect, TRUE_BOOL), E_FAIL);
    EXPECT_EQ(page->Apply(), S_OK) << "nothing was edited";

    PROPPAGEINFO info;
    info.dwHelpContext = 77;
    ASSERT_EQ(page->GetPageInfo(&info), S_OK);
    EXPECT_EQ(info.cb, sizeof(PROPPAGEINFO));
    EXPECT_EQ(taskText(info.pszTitle), "&PowerPoint");
    EXPECT_EQ(taskText(info.pszDocString), "Microsoft PowerPoint Settings");
    EXPECT_EQ(info.pszHelpFile, nullptr);
    EXPECT_EQ(info.dwHelpContext, 0u);
    // 235 x 50 dialog units at 6 x 13 pixels per character: 352.5 -> 353, 81.25 -> 81.
    EXPECT_EQ(info.size.cx, 353);
    EXPECT_EQ(info.size.cy, 81);
    CoTaskMemFree(info.pszTitle);
    CoTaskMemFree(info.pszDocString);
    ui::HeadlessHost host;
    ScopedWindowHost current(host);
    ASSERT_EQ(page->GetPageInfo(&info), S_OK);
    EXPECT_EQ(info.size.cx, 353);
    CoTaskMemFree(info.pszTitle);
    CoTaskMemFree(info.pszDocString);

    EXPECT_EQ(page->GetPageInfo(nullptr), E_POINTER);
}

TEST_F(PageTest, CallsInTheWrongOrderFailCleanly)
{
    RECT rect{0, 0, 10, 10};
    EXPECT_EQ(page->Show(SW_SHOW), E_UNEXPECTED) << "not active";
    EXPECT_EQ(page->Move(&rect), E_UNEXPECTED);
    EXPECT_EQ(page->Deactivate(), S_OK);
    EXPECT_EQ(page->Activate(frame, nullptr, TRUE_BOOL), E_POINTER);
    EXPECT_EQ(page->Activate(reinterpret_cast<WindowHandle>(0xdead), &rect, TRUE_BOOL), E_FAIL) << "no such window";
    EXPECT_EQ(page->Activate(nullptr, &rect, TRUE_BOOL), E_FAIL) << "a child dialog needs a parent";

    activate();
    EXPECT_EQ(page->Activate(frame, &rect, TRUE_BOOL), E_UNEXPECTED) << "already active";
    EXPECT_EQ(page->Move(nullptr), E_POINTER);
    EXPECT_EQ(page->Move(&rect), S_OK);
    EXPECT_EQ(host.windowRect(dialog).right, 10);
    EXPECT_EQ(page->Show(SW_HIDE), S_OK);
    EXPECT_FALSE(host.isVisible(dialog));
    EXPECT_TRUE(FAILED(page->Help(nullptr))) << "the page has no help";
    EXPECT_EQ(page->TranslateAccelerator(nullptr), E_POINTER);
    MSG message;
    EXPECT_EQ(page->TranslateAccelerator(&message), S_FALSE);
    EXPECT_EQ(page->SetObjects(2, nullptr), E_POINTER);
    EXPECT_EQ(page->SetObjects(0, nullptr), S_OK);
}

TEST_F(PageTest, SiteAndObjectsAreHeldUntilReplaced)
{
    EXPECT_EQ(site.references, 1u);
    ComPtr<IUnknown> object;
    ASSERT_EQ(OrvelComPage::createInstance(nullptr, IUnknown::iid, object.putVoid()), S_OK);  // any COM object
    IUnknown* objects[] = {object.get()};
    ASSERT_EQ(page->SetObjects(1, objects), S_OK);
    EXPECT_EQ(object->AddRef(), 3u) << "ours, the page's, this one";
    object->Release();
    ASSERT_EQ(page->SetObjects(0, nullptr), S_OK);
    EXPECT_EQ(object->AddRef(), 2u);
    object->Release();
    page->SetPageSite(nullptr);
    EXPECT_EQ(site.references, 0u);
}

TEST_F(PageTest, ReleasingAnActivePageDestroysItsDialog)
{
    activate();
    std::size_t windows = host.windowCount();
    page->SetPageSite(nullptr);
    page = nullptr;
    EXPECT_EQ(host.windowCount(), windows - 4) << "the dialog and its three controls";
    EXPECT_FALSE(host.isWindow(dialog));
}

// Created by its class id or ProgID from the registered module, the page works
// with the window host of the client's process.
TEST(PageThroughCom, ModulePageUsesTheProcesssWindowHost)
{
    testenv::ScopedRegistry registry;
    std::string error;
    ASSERT_TRUE(testenv::registerModule("liborvelcom.so", &error)) << error;

    ui::HeadlessHost host;
    ScopedWindowHost current(host);
    ComPtr<IPropertyPage> page;
    ASSERT_EQ(CoCreateInstance(OrvelComPage::clsid, nullptr, CLSCTX_INPROC_SERVER, IPropertyPage::iid, page.putVoid()),
              S_OK);
    HRESULT hr = E_FAIL;
    EXPECT_TRUE(com::createInstance<IPropertyPage>("PptComPage.PptComPage", &hr)) << std::hex << hr;

    WindowHandle frame = host.createFrame("Orvel Properties", SIZE{353, 81});
    RECT rect{0, 0, 353, 81};
    ASSERT_EQ(page->Activate(frame, &rect, TRUE_BOOL), S_OK);
    WindowHandle box = host.dialogItem(host.childWindows(frame).at(0), IDC_TEMPLATE_NAME);
    ASSERT_TRUE(host.type(box, "/nowhere/missing.pot"));
    EXPECT_EQ(page->Apply(), E_UNEXPECTED);
    ASSERT_EQ(host.messageBoxes().size(), 1u) << "the module's message box reached this host";
    EXPECT_EQ(host.messageBoxes()[0].caption, "Invalid Value");
    page->Deactivate();
}

}  // namespace
}  // namespace uitest
