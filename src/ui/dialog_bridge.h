// How a toolkit drives a dialog: attaches its window, starts it, delivers
// notifications and messages. Used by the toolkits only.
#pragma once

#include <cstdint>

#include "ui/dialog.h"

namespace kora::ui {

class DialogBridge {
public:
    // Attaches the window and binds the control events the dialog asked for.
    static void Attach(Dialog& dialog, DialogWindow& window);
    static void Detach(Dialog& dialog) { dialog.window_ = nullptr; }
    static bool InitDialog(Dialog& dialog) { return dialog.OnInitDialog(); }
    // Runs the handler of the message map, or OnOK / OnCancel for IDOK and
    // IDCANCEL; false when nothing handled the notification.
    static bool Dispatch(Dialog& dialog, const NotifyEvent& event);
    static std::intptr_t Message(Dialog& dialog, uint32_t message, std::uintptr_t wParam,
                                 std::intptr_t lParam) {
        return dialog.OnMessage(message, wParam, lParam);
    }
};

}  // namespace kora::ui
