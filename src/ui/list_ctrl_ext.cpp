#include "ui/list_ctrl_ext.h"

#include "ui/win_values.h"

namespace kora::ui {

void CListCtrlExt::Attach(Dialog& dialog, int id) {
    Retarget(dialog, id);
    dialog.BindControlEvents(id, *this);
}

void CListCtrlExt::NotifyScrolled() {
    if (notifyWnd) notifyWnd->Send(kWmListScrolled, 0, 0);
}

std::intptr_t CListCtrlExt::OnVScroll(DefaultProcessing& base) {
    NotifyScrolled();
    return base();
}

std::intptr_t CListCtrlExt::OnHScroll(DefaultProcessing& base) {
    NotifyScrolled();
    return base();
}

std::intptr_t CListCtrlExt::OnMouseWheel(DefaultProcessing& base) {
    if (notifyWnd) {
        NotifyScrolled();
        SetFocus();
    }
    return base();
}

}  // namespace kora::ui
