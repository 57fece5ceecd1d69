// Modal dialogs of the module on real windows: the template from the
// module's own resources, the dialog procedure that turns window messages
// into the seam's notifications, and no exception past it.
#include "ui/win32/dialog_host.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

#include "ui/dialog_bridge.h"
#include "ui/toolkit.h"
#include "ui/win32/module_instance.h"
#include "ui/win32/win32_window.h"

namespace kora::ui::win32 {
namespace {

// Private messages reach OnMessage from here on; the ones below belong to
// the dialog manager (DM_GETDEFID and its neighbours).
constexpr UINT kFirstPrivateMessage = WM_USER + 100;

struct ModalRun {
    Dialog& dialog;
    std::optional<Win32Window> window;
};

std::vector<HWND>& OpenDialogs() {
    static std::vector<HWND> open;
    return open;
}

bool IsClass(HWND window, std::wstring_view name) {
    wchar_t buffer[64] = {};
    const int length = GetClassNameW(window, buffer, 64);
    return length > 0 && CompareStringOrdinal(buffer, length, name.data(),
                                              static_cast<int>(name.size()), TRUE) == CSTR_EQUAL;
}

std::optional<NotifyEvent> CommandEvent(WPARAM wParam, LPARAM lParam) {
    NotifyEvent event;
    event.controlId = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    auto control = reinterpret_cast<HWND>(lParam);
    if (!control) {  // Enter and Escape: IDOK and IDCANCEL from the dialog manager
        if (code != 0 && code != 1) return std::nullopt;
        event.code = Notification::Clicked;
    } else if (IsClass(control, L"Button") && code == BN_CLICKED) {
        event.code = Notification::Clicked;
    } else if (IsClass(control, L"ComboBox") && code == CBN_SELCHANGE) {
        event.code = Notification::SelChange;
    } else if ((IsClass(control, L"ComboBox") && code == CBN_KILLFOCUS) ||
               (IsClass(control, L"Edit") && code == EN_KILLFOCUS)) {
        event.code = Notification::KillFocus;
    } else {
        return std::nullopt;
    }
    return event;
}

std::optional<NotifyEvent> ListEvent(const NMHDR& header) {
    NotifyEvent event;
    event.controlId = static_cast<int>(header.idFrom);
    if (header.code == LVN_ITEMCHANGED) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        event.code = Notification::ItemChanged;
        event.item = change.iItem;
        event.subItem = change.iSubItem;
        event.oldState = change.uOldState;
        event.newState = change.uNewState;
        event.changed = change.uChanged;
        return event;
    }
    if (header.code == LVN_ODSTATECHANGED) {  // a range of an owner-data list
        const auto& change = reinterpret_cast<const NMLVODSTATECHANGE&>(header);
        event.code = Notification::ItemChanged;
        event.item = change.iFrom;
        event.lastItem = change.iTo;
        event.subItem = 0;
        event.oldState = change.uOldState;
        event.newState = change.uNewState;
        event.changed = LVIF_STATE;
        return event;
    }
    if (header.code == static_cast<UINT>(NM_DBLCLK) && IsClass(header.hwndFrom, WC_LISTVIEWW)) {
        const auto& hit = reinterpret_cast<const NMITEMACTIVATE&>(header);
        event.code = Notification::DblClk;
        event.item = hit.iItem;
        event.subItem = hit.iSubItem;
        return event;
    }
    return std::nullopt;
}

INT_PTR HandleMessage(HWND hwnd, ModalRun& run, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (auto event = CommandEvent(wParam, lParam))
                return DialogBridge::Dispatch(run.dialog, *event) ? TRUE : FALSE;
            return FALSE;
        case WM_NOTIFY:
            if (LRESULT answer = 0;
                run.window->AnswerRowQuery(*reinterpret_cast<const NMHDR*>(lParam), answer)) {
                SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, answer);
                return TRUE;
            }
            if (auto event = ListEvent(*reinterpret_cast<const NMHDR*>(lParam))) {
                DialogBridge::Dispatch(run.dialog, *event);
                SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, 0);
                return TRUE;
            }
            return FALSE;
        default:
            if (message >= kFirstPrivateMessage && message < 0xC000) {
                SetWindowLongPtrW(hwnd, DWLP_MSGRESULT,
                                  DialogBridge::Message(run.dialog, message, wParam, lParam));
                return TRUE;
            }
            return FALSE;
    }
}

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto& run = *reinterpret_cast<ModalRun*>(lParam);
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        run.window.emplace(hwnd);
        OpenDialogs().push_back(hwnd);
        try {
            DialogBridge::Attach(run.dialog, *run.window);
            return DialogBridge::InitDialog(run.dialog) ? TRUE : FALSE;
        } catch (...) {
            ::EndDialog(hwnd, -1);
            return TRUE;
        }
    }
    auto* run = reinterpret_cast<ModalRun*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!run) return FALSE;
    if (message == WM_NCDESTROY) {
        DialogBridge::Detach(run->dialog);
        std::erase(OpenDialogs(), hwnd);
        SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        return FALSE;
    }
    try {
        return HandleMessage(hwnd, *run, message, wParam, lParam);
    } catch (...) {
        ::EndDialog(hwnd, -1);
        return TRUE;
    }
}

}  // namespace

HWND OwnerWindow() {
    if (!OpenDialogs().empty()) return OpenDialogs().back();
    return GetActiveWindow();
}

}  // namespace kora::ui::win32

namespace kora::ui {

int RunModalDialog(Dialog& dialog) {
    using namespace win32;
    HWND owner = nullptr;
    if (Dialog* given = dialog.Owner()) {
        if (auto* window = dynamic_cast<Win32Window*>(given->Window())) owner = window->Handle();
    }
    if (!owner) owner = OwnerWindow();
    ModalRun run{dialog, std::nullopt};
    const INT_PTR result = DialogBoxParamW(static_cast<HINSTANCE>(ModuleInstance()),
                                           MAKEINTRESOURCEW(dialog.TemplateId()), owner, DialogProc,
                                           reinterpret_cast<LPARAM>(&run));
    DialogBridge::Detach(dialog);
    return static_cast<int>(result);
}

}  // namespace kora::ui
