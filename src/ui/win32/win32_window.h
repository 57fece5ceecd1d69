// An open dialog of the Win32 toolkit: each seam operation is one window
// message to the control found by id (each id looked up once).
//
// A list that shows a model is a virtual list view (owner data): it asks the
// dialog for the texts of the rows it paints (LVN_GETDISPINFO) and for the
// row a typed prefix names (LVN_ODFINDITEM); AnswerRowQuery answers both
// from the model. The control stores no item data for such rows, so the
// list's subclass answers LVM_GETITEM's item data from the model too: any
// reader of the window sees each row's packed pair.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "ui/dialog_window.h"
#include "ui/win32/windows_api.h"

namespace kora::ui::win32 {

class Win32Window final : public DialogWindow {
public:
    explicit Win32Window(HWND dialog) : hwnd_(dialog) {}
    ~Win32Window() override;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;
    HWND Handle() const { return hwnd_; }

    // Answers a list's question about a model it shows; false when the
    // notice is no such question. `result` is the dialog's answer.
    bool AnswerRowQuery(const NMHDR& header, LRESULT& result) const;

    // What a list's subclass serves: scroll and wheel input to a control
    // class, item data from a model.
    struct ControlHooks {
        int id = 0;
        HWND hwnd = nullptr;
        ControlEvents* events = nullptr;
        RowModel* rows = nullptr;
    };

    KORA_DIALOG_WINDOW_OVERRIDES

private:
    HWND Item(int id) const;
    LRESULT SendTo(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // The hooks of control `id`, made and its subclass set on first use;
    // null when there is no such control.
    ControlHooks* HooksOf(int id);
    const ControlHooks* FindHooks(int id) const;

    HWND hwnd_;
    mutable std::vector<std::pair<int, HWND>> items_;
    std::vector<std::unique_ptr<ControlHooks>> hooks_;
};

// The DPI a window is laid out at (that of the screen for none).
int WindowDpi(HWND window);

// The text of a window, whatever its length.
std::u16string WindowText(HWND window);

}  // namespace kora::ui::win32
