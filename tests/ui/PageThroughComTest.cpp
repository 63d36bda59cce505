// The page as clients get it: created by its class id or ProgID from the
// registered module, working with the window host of the client's process.
#include <filesystem>

#include "PageFixture.h"
#include "com/ComRuntime.h"
#include "common/Modules.h"

namespace uitest {
namespace {

TEST(PageThroughCom, ModulePageUsesTheProcesssWindowHost)
{
    if (!std::filesystem::exists(ORVEL_LIB_DIR "/liborvelcom.so")) GTEST_SKIP() << "liborvelcom.so is not built";
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
