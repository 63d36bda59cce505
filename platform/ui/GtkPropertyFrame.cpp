#include "GtkPropertyFrame.h"
#include "Mnemonic.h"

#include <gtk/gtk.h>

#include <bit>

#include "com/ComString.h"
#include "com/Object.h"
#include "ui/Window.h"

namespace ui {

namespace {

std::string taskString(LPOLESTR text)
{
    if (!text) return {};
    std::u16string_view view(text);
    return com::utf16ToUtf8(view);
}

// The frame's side of the conversation with its pages.
class FrameSite final : public com::Object<IPropertyPageSite> {
public:
    explicit FrameSite(GtkWidget* applyButton) : applyButton_(applyButton) {}

    HRESULT OnStatusChange(DWORD flags) override
    {
        if ((flags & PROPPAGESTATUS_DIRTY) && applyButton_) gtk_widget_set_sensitive(applyButton_, TRUE);
        return S_OK;
    }
    HRESULT GetLocaleID(LCID* locale) override
    {
        if (!locale) return E_POINTER;
        *locale = 0x0400;  // LOCALE_USER_DEFAULT
        return S_OK;
    }
    HRESULT GetPageContainer(IUnknown** container) override
    {
        if (container) *container = nullptr;
        return E_NOTIMPL;
    }
    HRESULT TranslateAccelerator(MSG*) override { return S_FALSE; }

    void forgetButton() { applyButton_ = nullptr; }

private:
    ~FrameSite() override = default;
    GtkWidget* applyButton_;
};

struct Frame {
    GtkHost* host = nullptr;
    std::vector<ComPtr<IPropertyPage>> pages;
    ComPtr<FrameSite> site;
    GtkWidget* window = nullptr;
    GtkWidget* notebook = nullptr;
    GtkWidget* applyButton = nullptr;
    std::vector<WindowHandle> areas;
    bool closed = false;

    // Applies every changed page; on a refusal shows that page and stops.
    bool applyAll()
    {
        for (std::size_t i = 0; i < pages.size(); ++i) {
            if (pages[i]->IsPageDirty() != S_OK) continue;
            if (FAILED(pages[i]->Apply())) {
                gtk_notebook_set_current_page(GTK_NOTEBOOK(notebook), static_cast<int>(i));
                return false;
            }
        }
        gtk_widget_set_sensitive(applyButton, FALSE);
        return true;
    }

    void close()
    {
        if (closed) return;
        closed = true;
        for (const ComPtr<IPropertyPage>& page : pages) {
            page->Deactivate();
            page->SetObjects(0, nullptr);
            page->SetPageSite(nullptr);
        }
        for (WindowHandle area : areas) host->destroyWindow(area);
        site->forgetButton();
        gtk_widget_destroy(window);
        gtk_main_quit();
    }

    static void onOk(GtkButton*, gpointer data)
    {
        auto* frame = static_cast<Frame*>(data);
        if (frame->applyAll()) frame->close();
    }
    static void onCancel(GtkButton*, gpointer data) { static_cast<Frame*>(data)->close(); }
    static void onApply(GtkButton*, gpointer data) { static_cast<Frame*>(data)->applyAll(); }
    static gboolean onDelete(GtkWidget*, GdkEvent*, gpointer data)
    {
        static_cast<Frame*>(data)->close();
        return TRUE;
    }
    static gboolean onKey(GtkWidget*, GdkEventKey* event, gpointer data)
    {
        if (event->keyval != GDK_KEY_Escape) return FALSE;
        static_cast<Frame*>(data)->close();
        return TRUE;
    }
};

}  // namespace

HRESULT showPropertyFrame(GtkHost& host, const std::string& caption, const std::vector<ComPtr<IPropertyPage>>& pages,
                          const std::vector<ComPtr<IUnknown>>& objects)
{
    if (pages.empty()) return E_INVALIDARG;
    Frame frame;
    frame.host = &host;
    frame.pages = pages;

    frame.window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(frame.window), (caption + " Properties").c_str());
    gtk_window_set_resizable(GTK_WINDOW(frame.window), FALSE);
    GtkWidget* layout = gtk_box_new(GTK_ORIENTATION_VERTICAL, 7);
    gtk_container_set_border_width(GTK_CONTAINER(layout), 7);
    gtk_container_add(GTK_CONTAINER(frame.window), layout);
    frame.notebook = gtk_notebook_new();
    gtk_box_pack_start(GTK_BOX(layout), frame.notebook, TRUE, TRUE, 0);

    GtkWidget* buttons = gtk_button_box_new(GTK_ORIENTATION_HORIZONTAL);
    gtk_button_box_set_layout(GTK_BUTTON_BOX(buttons), GTK_BUTTONBOX_END);
    gtk_box_set_spacing(GTK_BOX(buttons), 6);
    GtkWidget* ok = gtk_button_new_with_label("OK");
    GtkWidget* cancel = gtk_button_new_with_label("Cancel");
    frame.applyButton = gtk_button_new_with_mnemonic("_Apply");
    for (GtkWidget* button : {ok, cancel, frame.applyButton}) gtk_container_add(GTK_CONTAINER(buttons), button);
    gtk_box_pack_start(GTK_BOX(layout), buttons, FALSE, FALSE, 0);
    gtk_widget_set_sensitive(frame.applyButton, FALSE);
    gtk_widget_set_can_default(ok, TRUE);
    gtk_window_set_default(GTK_WINDOW(frame.window), ok);

    frame.site = ComPtr<FrameSite>(new FrameSite(frame.applyButton));

    std::vector<GtkWidget*> areas;
    std::vector<SIZE> sizes;
    for (const ComPtr<IPropertyPage>& page : pages) {
        PROPPAGEINFO info;
        HRESULT hr = page->GetPageInfo(&info);
        if (FAILED(hr)) {
            gtk_widget_destroy(frame.window);
            return hr;
        }
        std::string title = taskString(info.pszTitle);
        CoTaskMemFree(info.pszTitle);
        CoTaskMemFree(info.pszDocString);
        CoTaskMemFree(info.pszHelpFile);

        GtkWidget* area = gtk_fixed_new();
        gtk_widget_set_size_request(area, info.size.cx, info.size.cy);
        gtk_container_set_border_width(GTK_CONTAINER(area), 0);
        gtk_notebook_append_page(GTK_NOTEBOOK(frame.notebook), area,
                                 gtk_label_new_with_mnemonic(gtkMnemonic(title).c_str()));
        areas.push_back(area);
        sizes.push_back(info.size);
    }
    gtk_widget_show_all(frame.window);

    std::vector<IUnknown*> rawObjects;
    for (const ComPtr<IUnknown>& object : objects) rawObjects.push_back(object.get());
    for (std::size_t i = 0; i < pages.size(); ++i) {
        WindowHandle area = host.adoptContainer(areas[i], RECT{0, 0, sizes[i].cx, sizes[i].cy});
        frame.areas.push_back(area);
        const ComPtr<IPropertyPage>& page = pages[i];
        page->SetPageSite(frame.site.get());
        page->SetObjects(static_cast<ULONG>(rawObjects.size()), rawObjects.empty() ? nullptr : rawObjects.data());
        RECT rect{0, 0, sizes[i].cx, sizes[i].cy};
        HRESULT hr = page->Activate(area, &rect, TRUE_BOOL);
        if (FAILED(hr)) {
            frame.closed = true;
            for (std::size_t j = 0; j <= i; ++j) {
                pages[j]->Deactivate();
                pages[j]->SetPageSite(nullptr);
            }
            for (WindowHandle made : frame.areas) host.destroyWindow(made);
            frame.site->forgetButton();
            gtk_widget_destroy(frame.window);
            return hr;
        }
        // Page windows get a plain extended style from the frame; a page that
        // wants the frame to tab into its controls keeps WS_EX_CONTROLPARENT
        // through WM_STYLECHANGING.
        for (WindowHandle pageWindow : host.childWindows(area)) SetWindowLong(pageWindow, GWL_EXSTYLE, 0);
        page->Show(SW_SHOW);
    }

    g_signal_connect(ok, "clicked", G_CALLBACK(Frame::onOk), &frame);
    g_signal_connect(cancel, "clicked", G_CALLBACK(Frame::onCancel), &frame);
    g_signal_connect(frame.applyButton, "clicked", G_CALLBACK(Frame::onApply), &frame);
    g_signal_connect(frame.window, "delete-event", G_CALLBACK(Frame::onDelete), &frame);
    g_signal_connect(frame.window, "key-press-event", G_CALLBACK(Frame::onKey), &frame);

    // As on Windows, the frame starts with the focus on the tabs.
    gtk_widget_grab_focus(frame.notebook);
    gtk_main();
    return S_OK;
}

}  // namespace ui
