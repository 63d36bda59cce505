// The window layer under the page: dialogs from templates, the messages their
// handlers get, text, file dialogs, and the functions' behaviour without a
// host. (Styles, focus, typing and clicks through the page: PageEditingTest.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GtkHost.h"
#include "HeadlessHost.h"
#include "ui/Window.h"

namespace uitest {
namespace {

struct Received {
    UINT message;
    WORD id;
    WORD code;
};

DialogTemplate twoControlDialog()
{
    DialogTemplate dialog;
    dialog.style = WS_CHILD | DS_SETFONT;
    dialog.cx = 100;
    dialog.cy = 40;
    dialog.controls = {
        {ControlClass::Static, IDC_STATIC, 2, 2, 50, 8, "&Name", WS_VISIBLE},
        {ControlClass::Edit, 10, 2, 12, 80, 12, "", WS_VISIBLE | WS_TABSTOP},
        {ControlClass::Button, 11, 84, 12, 14, 12, "&Go", WS_VISIBLE | WS_TABSTOP},
    };
    return dialog;
}

class WindowLayerTest : public ::testing::Test {
protected:
    WindowLayerTest() : current(host) { frame = host.createFrame("frame", SIZE{300, 200}); }

    WindowHandle makeDialog(DialogProc extra = {})
    {
        return CreateDialogIndirect(twoControlDialog(), frame,
                                    [this, extra](WindowHandle dialog, UINT message, WPARAM wParam, LPARAM lParam) {
                                        received.push_back({message, LOWORD(wParam), HIWORD(wParam)});
                                        return extra ? extra(dialog, message, wParam, lParam) : INT_PTR{0};
                                    });
    }
    std::vector<WORD> codesFor(WORD id) const
    {
        std::vector<WORD> out;
        for (const Received& r : received)
            if (r.message == WM_COMMAND && r.id == id) out.push_back(r.code);
        return out;
    }

    ui::HeadlessHost host;
    ScopedWindowHost current;
    WindowHandle frame = nullptr;
    std::vector<Received> received;
};

TEST_F(WindowLayerTest, SettingAnEditsTextNotifiesLikeTypingAndReadingItCutsWholeCharacters)
{
    WindowHandle dialog = makeDialog();
    ASSERT_TRUE(SetDlgItemText(dialog, 10, "abc"));
    ASSERT_TRUE(SetDlgItemText(dialog, 11, "&Stop"));
    EXPECT_EQ(codesFor(10), std::vector<WORD>{EN_CHANGE});
    EXPECT_TRUE(codesFor(11).empty()) << "a button's text change is silent";
    EXPECT_TRUE(SetDlgItemText(dialog, 10, nullptr));
    EXPECT_EQ(host.text(GetDlgItem(dialog, 10)), "");
    EXPECT_FALSE(SetDlgItemText(dialog, 99, "x")) << "no such control";

    // Reading cuts at the buffer without splitting characters.
    SetDlgItemText(dialog, 10, "ab\xC3\xA9z");  // "abéz"
    char buffer[8];
    EXPECT_EQ(GetDlgItemText(dialog, 10, buffer, 8), 5u);
    EXPECT_STREQ(buffer, "ab\xC3\xA9z");
    EXPECT_EQ(GetDlgItemText(dialog, 10, buffer, 4), 2u) << "the two bytes of é do not fit with the NUL";
    EXPECT_STREQ(buffer, "ab");
    EXPECT_EQ(GetDlgItemText(dialog, 10, buffer, 1), 0u);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(GetDlgItemText(dialog, 10, nullptr, 8), 0u);
    buffer[0] = 'x';
    EXPECT_EQ(GetDlgItemText(dialog, 99, buffer, 8), 0u);
    EXPECT_STREQ(buffer, "");
}

TEST_F(WindowLayerTest, HandlerMayDestroyItsDialogWhileHandling)
{
    WindowHandle dialog = makeDialog([](WindowHandle self, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
        if (message == WM_COMMAND && LOWORD(wParam) == 11) DestroyWindow(self);
        if (message == WM_DESTROY) DestroyWindow(self);  // asked twice: harmless
        return 0;
    });
    ShowWindow(dialog, SW_SHOW);
    EXPECT_TRUE(host.click(GetDlgItem(dialog, 11)));
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(host.focusedWindow(), nullptr);
    EXPECT_EQ(host.windowCount(), 1u) << "only the frame is left";
    EXPECT_EQ(received.front().message, WM_INITDIALOG);
    EXPECT_EQ(received.back().message, WM_DESTROY);
    EXPECT_NE(makeDialog(), dialog) << "handles are not reused";
}

TEST_F(WindowLayerTest, FileDialogAnswersFromTheScript)
{
    char file[16] = "start.pot";
    OPENFILENAME request;
    request.lpstrFile = file;
    request.nMaxFile = sizeof file;
    request.lpstrFilter = "Templates\0*.pot;*.potx\0All\0*.*\0";

    host.chooseFile("/a/b.pot");
    EXPECT_TRUE(GetOpenFileName(&request));
    EXPECT_STREQ(file, "/a/b.pot");
    host.chooseFile("/a/much/too/long.pot");
    EXPECT_FALSE(GetOpenFileName(&request)) << "does not fit the buffer";
    EXPECT_STREQ(file, "/a/b.pot");
    EXPECT_FALSE(GetOpenFileName(&request)) << "no answer left: cancelled";

    ASSERT_EQ(host.fileDialogs().size(), 3u);
    const auto& filters = host.fileDialogs()[0].filters;
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_EQ(filters[0], (std::pair<std::string, std::string>{"Templates", "*.pot;*.potx"}));
    EXPECT_EQ(filters[1], (std::pair<std::string, std::string>{"All", "*.*"}));
    EXPECT_EQ(host.fileDialogs()[0].initialFile, "start.pot");

    request.lpstrFilter = "Name only\0";
    GetOpenFileName(&request);
    ASSERT_EQ(host.fileDialogs().back().filters.size(), 1u);
    EXPECT_EQ(host.fileDialogs().back().filters[0].second, "");

    request.nMaxFile = 0;
    EXPECT_FALSE(GetOpenFileName(&request));
    EXPECT_EQ(host.fileDialogs().size(), 4u) << "a request without a buffer opens nothing";
}

TEST(WindowLayer, WithoutAHostEverythingFailsSoftlyAndAScopedHostPutsThePreviousOneBack)
{
    ASSERT_EQ(currentWindowHost(), nullptr);
    auto fake = reinterpret_cast<WindowHandle>(0x1000);
    EXPECT_EQ(CreateDialogIndirect(twoControlDialog(), fake, {}), nullptr);
    EXPECT_FALSE(SetDlgItemText(fake, 1, "x"));
    char buffer[4] = "abc";
    EXPECT_EQ(GetDlgItemText(fake, 1, buffer, 4), 0u);
    EXPECT_STREQ(buffer, "");
    EXPECT_FALSE(ShowWindow(fake, SW_SHOW));
    EXPECT_FALSE(MoveWindow(fake, 0, 0, 1, 1, TRUE_BOOL));
    EXPECT_FALSE(IsWindow(fake));
    EXPECT_EQ(SetWindowLong(fake, GWL_EXSTYLE, 1), 0);
    char file[8] = "";
    OPENFILENAME request;
    request.lpstrFile = file;
    request.nMaxFile = sizeof file;
    EXPECT_FALSE(GetOpenFileName(&request));
    RECT rect{0, 0, 4, 8};
    ASSERT_TRUE(MapDialogRect(twoControlDialog(), &rect));
    EXPECT_EQ(rect.right, 6);
    EXPECT_EQ(rect.bottom, 13);

    ui::HeadlessHost outer;
    {
        ScopedWindowHost a(outer);
        ui::HeadlessHost inner;
        {
            ScopedWindowHost b(inner);
            EXPECT_EQ(currentWindowHost(), &inner);
            EXPECT_EQ(messageBoxHost(), &inner);
        }
        EXPECT_EQ(currentWindowHost(), &outer);
        EXPECT_EQ(messageBoxHost(), &outer);
    }
    EXPECT_EQ(currentWindowHost(), nullptr);
    EXPECT_EQ(messageBoxHost(), nullptr);
}

TEST(WindowLayer, DesktopHostMeasuresTheDialogFontWithPango)
{
    // Measuring needs fonts, not a display.
    ui::GtkHost host;
    DialogTemplate small;
    small.fontName = "MS Sans Serif";
    small.fontPointSize = 8;
    DialogBaseUnits units = host.baseUnits(small);
    EXPECT_GE(units.averageCharWidth, 4);
    EXPECT_LE(units.averageCharWidth, 9);
    EXPECT_GE(units.charHeight, 9);
    EXPECT_LE(units.charHeight, 18);

    DialogTemplate large = small;
    large.fontPointSize = 16;
    DialogBaseUnits bigger = host.baseUnits(large);
    EXPECT_GT(bigger.averageCharWidth, units.averageCharWidth);
    EXPECT_GT(bigger.charHeight, units.charHeight);
}

}  // namespace
}  // namespace uitest
