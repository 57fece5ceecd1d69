#include "ui/list_ctrl_ext.h"

#include "ui/win_values.h"

namespace kora::ui {

CListCtrlExt::~CListCtrlExt() {
    if (Dialog* dialog = OwningDialog()) dialog->UnbindControlEvents(Id(), *this);
}

void CListCtrlExt::Attach(Dialog& dialog, int id) {
    if (Dialog* previous = OwningDialog()) previous->UnbindControlEvents(Id(), *this);
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
