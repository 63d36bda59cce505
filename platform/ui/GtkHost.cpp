#include "GtkHost.h"
#include "FileFilters.h"
#include "Mnemonic.h"

#include <gtk/gtk.h>
#include <pango/pangocairo.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "support/SysFile.h"

namespace ui {

namespace {

constexpr const char* defaultDialogFont = "MS Sans Serif";
constexpr int defaultDialogPointSize = 8;

double screenResolution()
{
    if (GdkScreen* screen = gdk_screen_get_default()) {
        double dpi = gdk_screen_get_resolution(screen);
        if (dpi > 0) return dpi;
    }
    return 96.0;
}

struct GObjectDeleter {
    void operator()(gpointer object) const { g_object_unref(object); }
};
template <class T>
using GObjectPtr = std::unique_ptr<T, GObjectDeleter>;

struct FontDescriptionDeleter {
    void operator()(PangoFontDescription* d) const { pango_font_description_free(d); }
};
struct FontMetricsDeleter {
    void operator()(PangoFontMetrics* m) const { pango_font_metrics_unref(m); }
};
struct GFreeDeleter {
    void operator()(gchar* s) const { g_free(s); }
};

std::string fontFamily(const std::string& name) { return name.empty() ? defaultDialogFont : name; }
int fontPoints(WORD size) { return size == 0 ? defaultDialogPointSize : size; }

// The dialog's font and a compact look, so controls fit their dialog-unit
// rectangles as they do on Windows.
std::string dialogCss(const std::string& family, int points)
{
    std::string quoted;
    for (char c : family)
        if (c != '"' && c != '\\') quoted += c;
    return "* { font-family: \"" + quoted + "\"; font-size: " + std::to_string(points) +
           "pt; }\n"
           "entry { min-height: 0; min-width: 0; padding: 0 3px; }\n"
           "button { min-height: 0; min-width: 0; padding: 0; }\n"
           "label { padding: 0; }\n";
}

}  // namespace

// Signal handlers: each finds its window record again by handle, so a
// widget that outlives its record does nothing.
struct GtkHost::Signals {
    static GtkHost* hostOf(GtkWidget* widget)
    {
        return static_cast<GtkHost*>(g_object_get_data(G_OBJECT(widget), "orvel-host"));
    }
    static Window* live(GtkWidget* widget, gpointer handle)
    {
        GtkHost* host = hostOf(widget);
        Window* window = host ? host->find(handle) : nullptr;
        return window && !window->destroying ? window : nullptr;
    }
    static void notify(GtkWidget* widget, gpointer handle, WORD code)
    {
        if (Window* window = live(widget, handle)) {
            try {
                hostOf(widget)->notifyParent(*window, code);
            } catch (...) {
                // Nothing may unwind through GTK.
            }
        }
    }
    static void changed(GtkEditable* editable, gpointer handle)
    {
        GtkWidget* widget = GTK_WIDGET(editable);
        GtkHost* host = hostOf(widget);
        Window* window = live(widget, handle);
        if (!window || host->settingText_) return;
        try {
            host->textChangedByUser(*window, gtk_entry_get_text(GTK_ENTRY(widget)));
        } catch (...) {
        }
    }
    static gboolean focusIn(GtkWidget* widget, GdkEvent*, gpointer handle)
    {
        notify(widget, handle, EN_SETFOCUS);
        return FALSE;
    }
    static gboolean focusOut(GtkWidget* widget, GdkEvent*, gpointer handle)
    {
        notify(widget, handle, EN_KILLFOCUS);
        return FALSE;
    }
    static void clicked(GtkButton* button, gpointer handle) { notify(GTK_WIDGET(button), handle, BN_CLICKED); }
    // Keyboard focus moves into a dialog's controls only when it is a
    // control parent (WS_EX_CONTROLPARENT); clicks still reach them.
    static gboolean focus(GtkWidget* widget, GtkDirectionType, gpointer handle)
    {
        Window* window = live(widget, handle);
        if (!window) return FALSE;
        bool inside = gtk_container_get_focus_child(GTK_CONTAINER(widget)) != nullptr;
        if (!inside && !(window->exStyle & WS_EX_CONTROLPARENT))
            g_signal_stop_emission_by_name(widget, "focus");  // declined: the frame moves on
        return FALSE;
    }
    static void destroyed(GtkWidget* widget, gpointer handle)
    {
        GtkHost* host = hostOf(widget);
        if (Window* window = host ? host->find(handle) : nullptr) window->native = nullptr;
    }
};

bool GtkHost::openDisplay() { return gtk_init_check(nullptr, nullptr); }

GtkHost::GtkHost() = default;

GtkHost::~GtkHost()
{
    // Widgets that outlive the host must not call back into it.
    std::vector<GtkWidget*> ownToplevels;
    forEachWindow([&](Window& window) {
        if (window.kind == Kind::Frame || !window.native) return;
        auto* widget = static_cast<GtkWidget*>(window.native);
        g_object_set_data(G_OBJECT(widget), "orvel-host", nullptr);
        if (auto* top = static_cast<GtkWidget*>(g_object_get_data(G_OBJECT(widget), "orvel-own-toplevel")))
            ownToplevels.push_back(top);
    });
    for (GtkWidget* top : ownToplevels) gtk_widget_destroy(top);
}

WindowHandle GtkHost::adoptContainer(void* gtkFixed, const RECT& rect)
{
    Window& frame = addFrameWindow(nullptr, std::string(), rect);
    frame.native = gtkFixed;
    return frame.handle;
}

DialogBaseUnits GtkHost::baseUnits(const DialogTemplate& dialog)
{
    std::string family = fontFamily(dialog.fontName);
    int points = fontPoints(dialog.fontPointSize);
    auto key = std::make_pair(family, points);
    if (auto it = measured_.find(key); it != measured_.end()) return it->second;

    // A font map of our own, released with its caches once measured.
    GObjectPtr<PangoFontMap> fontMap(pango_cairo_font_map_new());
    GObjectPtr<PangoContext> context(pango_font_map_create_context(fontMap.get()));
    pango_cairo_context_set_resolution(context.get(), screenResolution());
    std::unique_ptr<PangoFontDescription, FontDescriptionDeleter> font(pango_font_description_new());
    pango_font_description_set_family(font.get(), family.c_str());
    pango_font_description_set_size(font.get(), points * PANGO_SCALE);

    GObjectPtr<PangoLayout> layout(pango_layout_new(context.get()));
    pango_layout_set_font_description(layout.get(), font.get());
    pango_layout_set_text(layout.get(), "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", -1);
    int width = 0;
    int height = 0;
    pango_layout_get_pixel_size(layout.get(), &width, &height);

    std::unique_ptr<PangoFontMetrics, FontMetricsDeleter> metrics(
        pango_context_get_metrics(context.get(), font.get(), nullptr));
    int charHeight = PANGO_PIXELS(pango_font_metrics_get_ascent(metrics.get()) +
                                  pango_font_metrics_get_descent(metrics.get()));

    // Windows' average: the 52 letters' width, halved with rounding.
    DialogBaseUnits units{(width / 26 + 1) / 2, charHeight > 0 ? charHeight : height};
    measured_.emplace(key, units);
    return units;
}

void GtkHost::applyDialogFont(void* widgetPointer, const Window& dialog)
{
    auto* widget = static_cast<GtkWidget*>(widgetPointer);
    GObjectPtr<GtkCssProvider> provider(gtk_css_provider_new());
    std::string css = dialogCss(fontFamily(dialog.fontName), fontPoints(dialog.fontPointSize));
    gtk_css_provider_load_from_data(provider.get(), css.c_str(), -1, nullptr);
    gtk_style_context_add_provider(gtk_widget_get_style_context(widget), GTK_STYLE_PROVIDER(provider.get()),
                                   GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    if (GTK_IS_BIN(widget))
        if (GtkWidget* child = gtk_bin_get_child(GTK_BIN(widget)))
            gtk_style_context_add_provider(gtk_widget_get_style_context(child), GTK_STYLE_PROVIDER(provider.get()),
                                           GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
}

void GtkHost::nativeCreate(Window& window)
{
    GtkWidget* widget = nullptr;
    gpointer handle = window.handle;
    const Window* dialog = window.kind == Kind::Dialog ? &window : window.parent;

    if (window.kind == Kind::Dialog) {
        widget = gtk_fixed_new();
        g_signal_connect(widget, "focus", G_CALLBACK(Signals::focus), handle);
    } else if (window.controlClass == ControlClass::Static) {
        widget = gtk_label_new_with_mnemonic(gtkMnemonic(window.text).c_str());
        gtk_label_set_xalign(GTK_LABEL(widget), 0.0f);
        gtk_label_set_yalign(GTK_LABEL(widget), 0.0f);
        gtk_label_set_line_wrap(GTK_LABEL(widget), TRUE);
    } else if (window.controlClass == ControlClass::Edit) {
        widget = gtk_entry_new();
        gtk_entry_set_text(GTK_ENTRY(widget), window.text.c_str());
        gtk_entry_set_has_frame(GTK_ENTRY(widget), (window.style & WS_BORDER) != 0);
        gtk_entry_set_width_chars(GTK_ENTRY(widget), 1);
        gtk_entry_set_activates_default(GTK_ENTRY(widget), TRUE);
        g_signal_connect(widget, "changed", G_CALLBACK(Signals::changed), handle);
        g_signal_connect(widget, "focus-in-event", G_CALLBACK(Signals::focusIn), handle);
        g_signal_connect(widget, "focus-out-event", G_CALLBACK(Signals::focusOut), handle);
    } else {
        widget = gtk_button_new_with_mnemonic(gtkMnemonic(window.text).c_str());
        g_signal_connect(widget, "clicked", G_CALLBACK(Signals::clicked), handle);
    }
    g_object_set_data(G_OBJECT(widget), "orvel-host", this);
    g_signal_connect(widget, "destroy", G_CALLBACK(Signals::destroyed), handle);
    gtk_widget_set_can_focus(widget, window.kind == Kind::Control && (window.style & WS_TABSTOP) != 0);
    if (dialog) applyDialogFont(widget, *dialog);

    // A static's mnemonic moves the focus to the control that follows it.
    if (window.kind == Kind::Control && window.parent && window.controlClass != ControlClass::Static) {
        auto& siblings = window.parent->children;
        for (std::size_t i = 1; i < siblings.size(); ++i)
            if (siblings[i] == &window && siblings[i - 1]->controlClass == ControlClass::Static &&
                siblings[i - 1]->native)
                gtk_label_set_mnemonic_widget(GTK_LABEL(siblings[i - 1]->native), widget);
    }

    gtk_widget_set_size_request(widget, window.rect.right - window.rect.left, window.rect.bottom - window.rect.top);
    if (window.parent && window.parent->native && GTK_IS_FIXED(window.parent->native)) {
        gtk_fixed_put(GTK_FIXED(window.parent->native), widget, window.rect.left, window.rect.top);
    } else {
        // A top-level dialog gets a window of its own.
        GtkWidget* top = gtk_window_new(GTK_WINDOW_TOPLEVEL);
        gtk_window_set_title(GTK_WINDOW(top), window.text.c_str());
        gtk_window_set_resizable(GTK_WINDOW(top), FALSE);
        gtk_container_add(GTK_CONTAINER(top), widget);
        g_object_set_data(G_OBJECT(widget), "orvel-own-toplevel", top);
    }
    gtk_widget_set_visible(widget, window.visible);
    window.native = widget;
}

void GtkHost::nativeDestroy(Window& window)
{
    if (window.kind == Kind::Frame || !window.native) return;  // adopted containers belong to their frame
    auto* widget = static_cast<GtkWidget*>(window.native);
    if (auto* top = static_cast<GtkWidget*>(g_object_get_data(G_OBJECT(widget), "orvel-own-toplevel")))
        widget = top;
    gtk_widget_destroy(widget);
}

void GtkHost::nativeMove(Window& window)
{
    auto* widget = static_cast<GtkWidget*>(window.native);
    if (!widget || window.kind == Kind::Frame) return;
    gtk_widget_set_size_request(widget, window.rect.right - window.rect.left, window.rect.bottom - window.rect.top);
    if (GtkWidget* parent = gtk_widget_get_parent(widget); parent && GTK_IS_FIXED(parent))
        gtk_fixed_move(GTK_FIXED(parent), widget, window.rect.left, window.rect.top);
}

void GtkHost::nativeShow(Window& window)
{
    auto* widget = static_cast<GtkWidget*>(window.native);
    if (!widget || window.kind == Kind::Frame) return;
    gtk_widget_set_visible(widget, window.visible);
    if (auto* top = static_cast<GtkWidget*>(g_object_get_data(G_OBJECT(widget), "orvel-own-toplevel")))
        gtk_widget_set_visible(top, window.visible);
}

void GtkHost::nativeSetText(Window& window)
{
    auto* widget = static_cast<GtkWidget*>(window.native);
    if (!widget || window.kind == Kind::Frame) return;
    if (GTK_IS_ENTRY(widget)) {
        settingText_ = true;  // the record notifies EN_CHANGE once itself
        gtk_entry_set_text(GTK_ENTRY(widget), window.text.c_str());
        settingText_ = false;
    } else if (GTK_IS_LABEL(widget)) {
        gtk_label_set_text_with_mnemonic(GTK_LABEL(widget), gtkMnemonic(window.text).c_str());
    } else if (GTK_IS_BUTTON(widget)) {
        gtk_button_set_label(GTK_BUTTON(widget), gtkMnemonic(window.text).c_str());
    }
}

void* GtkHost::toplevelOf(WindowHandle owner) const
{
    for (Window* window = find(owner); window; window = window->parent) {
        if (!window->native) continue;
        GtkWidget* top = gtk_widget_get_toplevel(static_cast<GtkWidget*>(window->native));
        return top && gtk_widget_is_toplevel(top) && GTK_IS_WINDOW(top) ? top : nullptr;
    }
    return nullptr;
}

bool GtkHost::openFileDialog(OPENFILENAME& request)
{
    GtkWidget* chooser = gtk_file_chooser_dialog_new(
        request.lpstrTitle ? request.lpstrTitle : "Open", static_cast<GtkWindow*>(toplevelOf(request.hwndOwner)),
        GTK_FILE_CHOOSER_ACTION_OPEN, "_Cancel", GTK_RESPONSE_CANCEL, "_Open", GTK_RESPONSE_ACCEPT, nullptr);
    gtk_dialog_set_default_response(GTK_DIALOG(chooser), GTK_RESPONSE_ACCEPT);

    for (const auto& [name, patterns] : parseFileFilters(request.lpstrFilter)) {
        if (patterns.empty()) continue;
        GtkFileFilter* filter = gtk_file_filter_new();
        gtk_file_filter_set_name(filter, name.c_str());
        std::size_t start = 0;
        while (start <= patterns.size()) {
            std::size_t end = patterns.find(';', start);
            if (end == std::string::npos) end = patterns.size();
            if (end > start) gtk_file_filter_add_pattern(filter, patterns.substr(start, end - start).c_str());
            start = end + 1;
        }
        gtk_file_chooser_add_filter(GTK_FILE_CHOOSER(chooser), filter);  // takes the reference
    }

    // The initial selection may be a Windows-style name; start where it points.
    std::string initial(request.lpstrFile, strnlen(request.lpstrFile, request.nMaxFile));
    std::error_code error;
    if (!initial.empty()) {
        std::filesystem::path path(SysFile::nativePath(KestString(initial)).str());
        if (std::filesystem::is_regular_file(path, error))
            gtk_file_chooser_set_filename(GTK_FILE_CHOOSER(chooser), path.c_str());
        else if (std::filesystem::is_directory(path.parent_path(), error))
            gtk_file_chooser_set_current_folder(GTK_FILE_CHOOSER(chooser), path.parent_path().c_str());
    } else if (request.lpstrInitialDir) {
        gtk_file_chooser_set_current_folder(GTK_FILE_CHOOSER(chooser), request.lpstrInitialDir);
    }

    std::unique_ptr<gchar, GFreeDeleter> chosen;
    if (gtk_dialog_run(GTK_DIALOG(chooser)) == GTK_RESPONSE_ACCEPT)
        chosen.reset(gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(chooser)));
    gtk_widget_destroy(chooser);
    if (!chosen) return false;

    std::size_t length = std::strlen(chosen.get());
    if (length + 1 > request.nMaxFile) return false;  // does not fit the caller's buffer
    std::memcpy(request.lpstrFile, chosen.get(), length + 1);
    return true;
}

int GtkHost::show(WindowHandle owner, const KestString& text, const KestString& caption, unsigned style)
{
    GtkMessageType type = GTK_MESSAGE_OTHER;
    switch (style & 0xF0u) {
    case 0x10: type = GTK_MESSAGE_ERROR; break;
    case 0x20: type = GTK_MESSAGE_QUESTION; break;
    case 0x30: type = GTK_MESSAGE_WARNING; break;
    case 0x40: type = GTK_MESSAGE_INFO; break;
    default: break;
    }
    constexpr unsigned MB_OKCANCEL = 0x1;
    constexpr unsigned MB_YESNO = 0x4;
    constexpr int IDCANCEL = 2, IDYES = 6, IDNO = 7;
    unsigned buttons = style & 0xFu;
    GtkButtonsType gtkButtons = buttons == MB_OKCANCEL ? GTK_BUTTONS_OK_CANCEL
                              : buttons == MB_YESNO    ? GTK_BUTTONS_YES_NO
                                                       : GTK_BUTTONS_OK;

    GtkWidget* box = gtk_message_dialog_new(static_cast<GtkWindow*>(toplevelOf(owner)),
                                            static_cast<GtkDialogFlags>(GTK_DIALOG_MODAL | GTK_DIALOG_DESTROY_WITH_PARENT),
                                            type, gtkButtons, "%s", text.data());
    gtk_window_set_title(GTK_WINDOW(box), caption.data());
    // GTK 3 no longer shows the type's icon by itself; Windows always does.
    const char* icon = type == GTK_MESSAGE_ERROR      ? "dialog-error"
                     : type == GTK_MESSAGE_QUESTION ? "dialog-question"
                     : type == GTK_MESSAGE_WARNING  ? "dialog-warning"
                     : type == GTK_MESSAGE_INFO     ? "dialog-information"
                                                    : nullptr;
    if (icon) {
        GtkWidget* image = gtk_image_new_from_icon_name(icon, GTK_ICON_SIZE_DIALOG);
        G_GNUC_BEGIN_IGNORE_DEPRECATIONS
        gtk_message_dialog_set_image(GTK_MESSAGE_DIALOG(box), image);
        G_GNUC_END_IGNORE_DEPRECATIONS
        gtk_widget_show(image);
    }
    int response = gtk_dialog_run(GTK_DIALOG(box));
    gtk_widget_destroy(box);
    switch (response) {
    case GTK_RESPONSE_OK: return IDOK;
    case GTK_RESPONSE_YES: return IDYES;
    case GTK_RESPONSE_NO: return IDNO;
    case GTK_RESPONSE_CANCEL: return IDCANCEL;
    default: return buttons == MB_OKCANCEL ? IDCANCEL : buttons == MB_YESNO ? IDNO : IDOK;
    }
}

}  // namespace ui
