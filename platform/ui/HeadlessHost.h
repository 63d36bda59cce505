// A window host without a screen, for tests and scripts: controls live in
// memory, a script plays the user (focus a control, select, type, click), and
// file dialogs and message boxes are recorded and answered from the script.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "WindowTree.h"

namespace ui {

struct FileDialogRecord {
    WindowHandle owner = nullptr;
    std::vector<std::pair<std::string, std::string>> filters;  // display name, patterns
    std::string title;
    std::string initialFile;  // what lpstrFile held when the dialog opened
    DWORD maxFile = 0;
    DWORD flags = 0;
    std::optional<std::string> initialDir;
    std::optional<std::string> defaultExtension;
};

struct MessageBoxRecord {
    WindowHandle owner = nullptr;
    std::string text;
    std::string caption;
    unsigned style = 0;
};

class HeadlessHost final : public WindowTree {
public:
    // Every font measures as "MS Sans Serif" 8 pt does on a 96 DPI screen.
    static constexpr DialogBaseUnits metrics{6, 13};

    ~HeadlessHost() override;

    // A top-level frame window whose client area pages are activated in.
    WindowHandle createFrame(std::string title, SIZE clientSize);

    // The user. Each returns false when the window cannot take the action.
    // Focus moves as a click or Tab would (EN_KILLFOCUS, EN_SETFOCUS).
    bool focus(WindowHandle control);
    // Selects the whole text of an edit control (the next keystroke replaces it).
    bool selectAll(WindowHandle edit);
    // Focuses the edit control, then types one character at a time, each
    // keystroke notifying EN_CHANGE.
    bool type(WindowHandle edit, std::string_view text);
    // The Delete key: removes the selection, else nothing.
    bool pressDelete(WindowHandle edit);
    // Focuses the button and notifies BN_CLICKED.
    bool click(WindowHandle button);
    WindowHandle focusedWindow() const;

    // Answers for the next file dialogs, in order; with none left the user cancels.
    void chooseFile(std::string path);
    void cancelFileDialog();
    // Answers for the next message boxes; with none left the user presses OK.
    void answerMessageBox(int result);

    const std::vector<FileDialogRecord>& fileDialogs() const { return fileDialogs_; }
    const std::vector<MessageBoxRecord>& messageBoxes() const { return messageBoxes_; }

    DialogBaseUnits baseUnits(const DialogTemplate& dialog) override;
    bool openFileDialog(OPENFILENAME& request) override;
    int show(WindowHandle owner, const KestString& text, const KestString& caption, unsigned style) override;

protected:
    void nativeDestroy(Window& window) override;

private:
    bool isEdit(const Window* window) const;

    WindowHandle focused_ = nullptr;
    WindowHandle selectionOwner_ = nullptr;  // edit whose whole text is selected
    std::deque<std::optional<std::string>> fileAnswers_;
    std::deque<int> messageBoxAnswers_;
    std::vector<FileDialogRecord> fileDialogs_;
    std::vector<MessageBoxRecord> messageBoxes_;
};

}  // namespace ui
