// The desktop window host: dialogs are GTK 3 widgets placed at their pixel
// rectangles in a GtkFixed, dialog units measured in the dialog's font with
// Pango as Windows measures them, the file dialog a GtkFileChooserDialog and
// message boxes GtkMessageDialogs. GTK types stay out of this header.
#pragma once

#include <map>
#include <string>

#include "WindowTree.h"

namespace ui {

class GtkHost final : public WindowTree {
public:
    // Opens the display (gtk_init_check); false when there is none.
    static bool openDisplay();

    GtkHost();
    ~GtkHost() override;

    // A GtkFixed of the caller's (passed as void*) becomes a window that
    // dialogs can be made in; destroying the window leaves the widget alone.
    WindowHandle adoptContainer(void* gtkFixed, const RECT& rect);

    DialogBaseUnits baseUnits(const DialogTemplate& dialog) override;
    bool openFileDialog(OPENFILENAME& request) override;
    int show(WindowHandle owner, const KestString& text, const KestString& caption, unsigned style) override;

    // Lets signal handlers (plain functions) reach the records.
    struct Signals;
    friend struct Signals;

protected:
    void nativeCreate(Window& window) override;
    void nativeDestroy(Window& window) override;
    void nativeMove(Window& window) override;
    void nativeShow(Window& window) override;
    void nativeSetText(Window& window) override;

private:
    void* toplevelOf(WindowHandle owner) const;  // GtkWindow*, or null
    void applyDialogFont(void* widget, const Window& dialog);

    std::map<std::pair<std::string, int>, DialogBaseUnits> measured_;
    bool settingText_ = false;  // our own text change, notified by the record
};

}  // namespace ui
