#include "HeadlessHost.h"

#include "FileFilters.h"

#include <cstring>

namespace ui {

namespace {

// Length of the UTF-8 sequence that starts with byte lead (1 for stray bytes).
std::size_t sequenceLength(unsigned char lead)
{
    if (lead >= 0xF0 && lead < 0xF8) return 4;
    if (lead >= 0xE0) return lead < 0xF0 ? 3 : 1;
    if (lead >= 0xC0) return 2;
    return 1;
}

}  // namespace

HeadlessHost::~HeadlessHost() = default;

DialogBaseUnits HeadlessHost::baseUnits(const DialogTemplate&) { return metrics; }

WindowHandle HeadlessHost::createFrame(std::string title, SIZE clientSize)
{
    return addFrameWindow(nullptr, std::move(title), RECT{0, 0, clientSize.cx, clientSize.cy}).handle;
}

bool HeadlessHost::isEdit(const Window* window) const
{
    return window && window->kind == Kind::Control && window->controlClass == ControlClass::Edit;
}

bool HeadlessHost::focus(WindowHandle handle)
{
    Window* window = find(handle);
    if (!window || window->kind != Kind::Control || !window->visible) return false;
    if (focused_ == handle) return true;

    WindowHandle previous = focused_;
    focused_ = handle;
    selectionOwner_ = nullptr;
    if (Window* old = find(previous); isEdit(old)) notifyParent(*old, EN_KILLFOCUS);
    if (Window* now = find(handle); isEdit(now) && focused_ == handle) notifyParent(*now, EN_SETFOCUS);
    return find(handle) != nullptr;
}

bool HeadlessHost::selectAll(WindowHandle handle)
{
    if (!isEdit(find(handle)) || !focus(handle)) return false;
    selectionOwner_ = handle;
    return true;
}

bool HeadlessHost::type(WindowHandle handle, std::string_view text)
{
    if (!isEdit(find(handle)) || !focus(handle)) return false;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t length = std::min(sequenceLength(static_cast<unsigned char>(text[at])), text.size() - at);
        Window* window = find(handle);
        if (!window) return false;  // a handler closed the dialog
        std::string next = selectionOwner_ == handle ? std::string() : window->text;
        selectionOwner_ = nullptr;
        next.append(text.substr(at, length));
        textChangedByUser(*window, std::move(next));
        at += length;
    }
    return find(handle) != nullptr;
}

bool HeadlessHost::pressDelete(WindowHandle handle)
{
    Window* window = find(handle);
    if (!isEdit(window) || focused_ != handle) return false;
    if (selectionOwner_ != handle) return true;
    selectionOwner_ = nullptr;
    if (!window->text.empty()) textChangedByUser(*window, std::string());
    return true;
}

bool HeadlessHost::click(WindowHandle handle)
{
    Window* window = find(handle);
    if (!window || window->kind != Kind::Control || window->controlClass != ControlClass::Button) return false;
    if (!focus(handle)) return false;
    if (Window* still = find(handle)) notifyParent(*still, BN_CLICKED);
    return true;
}

WindowHandle HeadlessHost::focusedWindow() const { return find(focused_) ? focused_ : nullptr; }

void HeadlessHost::chooseFile(std::string path) { fileAnswers_.emplace_back(std::move(path)); }

void HeadlessHost::cancelFileDialog() { fileAnswers_.emplace_back(std::nullopt); }

void HeadlessHost::answerMessageBox(int result) { messageBoxAnswers_.push_back(result); }

bool HeadlessHost::openFileDialog(OPENFILENAME& request)
{
    FileDialogRecord record;
    record.owner = request.hwndOwner;
    record.filters = parseFileFilters(request.lpstrFilter);
    if (request.lpstrTitle) record.title = request.lpstrTitle;
    record.initialFile.assign(request.lpstrFile, strnlen(request.lpstrFile, request.nMaxFile));
    record.maxFile = request.nMaxFile;
    record.flags = request.Flags;
    if (request.lpstrInitialDir) record.initialDir = request.lpstrInitialDir;
    if (request.lpstrDefExt) record.defaultExtension = request.lpstrDefExt;
    fileDialogs_.push_back(std::move(record));

    std::optional<std::string> answer;
    if (!fileAnswers_.empty()) {
        answer = std::move(fileAnswers_.front());
        fileAnswers_.pop_front();
    }
    // A path that does not fit the caller's buffer fails, as the system's dialog does.
    if (!answer || answer->size() + 1 > request.nMaxFile) return false;
    std::memcpy(request.lpstrFile, answer->c_str(), answer->size() + 1);
    return true;
}

int HeadlessHost::show(WindowHandle owner, const KestString& text, const KestString& caption, unsigned style)
{
    messageBoxes_.push_back(MessageBoxRecord{owner, text.str(), caption.str(), style});
    if (messageBoxAnswers_.empty()) return IDOK;
    int answer = messageBoxAnswers_.front();
    messageBoxAnswers_.pop_front();
    return answer;
}

void HeadlessHost::nativeDestroy(Window& window)
{
    // Focus inside a destroyed tree is lost.
    for (Window* w = find(focused_); w; w = w->parent)
        if (w == &window) {
            focused_ = nullptr;
            selectionOwner_ = nullptr;
            break;
        }
}

}  // namespace ui
