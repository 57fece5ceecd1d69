#include "ui/dialog.h"

#include <algorithm>

#include "ui/dialog_bridge.h"
#include "ui/toolkit.h"

namespace kora::ui {

int Dialog::DoModal() {
    if (window_) return -1;  // already running
    return RunModalDialog(*this);
}

void Dialog::EndDialog(int result) {
    if (window_) window_->End(result);
}

std::u16string Dialog::Caption() const { return window_ ? window_->Caption() : std::u16string(); }

void Dialog::SetCaption(std::u16string_view text) {
    if (window_) window_->SetCaption(text);
}

int Dialog::FocusedControlId() const { return window_ ? window_->FocusedControlId() : 0; }

bool Dialog::ForEachChild(const std::function<bool(ChildWindow)>& visit) {
    if (!window_) return false;
    DialogWindow& window = *window_;
    return window.ForEachChild(
        [&](ChildHandle child) { return visit(ChildWindow(window, child)); });
}

std::intptr_t Dialog::Send(uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    return window_ ? window_->Send(message, wParam, lParam) : 0;
}

void Dialog::BindControlEvents(int id, ControlEvents& events) {
    auto same = [id](const auto& bound) { return bound.first == id; };
    std::erase_if(boundEvents_, same);
    boundEvents_.emplace_back(id, &events);
    if (window_) window_->BindEvents(id, events);
}

void Dialog::UnbindControlEvents(int id, const ControlEvents& events) {
    const auto before = boundEvents_.size();
    std::erase_if(boundEvents_,
                  [&](const auto& bound) { return bound.first == id && bound.second == &events; });
    if (window_ && boundEvents_.size() != before) window_->UnbindEvents(id);
}

void DialogBridge::Attach(Dialog& dialog, DialogWindow& window) {
    dialog.window_ = &window;
    for (auto& [id, events] : dialog.boundEvents_) window.BindEvents(id, *events);
}

bool DialogBridge::Dispatch(Dialog& dialog, const NotifyEvent& event) {
    for (const MessageMapEntry& entry : dialog.MessageMap()) {
        if (entry.controlId == event.controlId && entry.code == event.code) {
            entry.invoke(dialog, event);
            return true;
        }
    }
    if (event.code == Notification::Clicked && event.controlId == kIdOk) {
        dialog.OnOK();
        return true;
    }
    if (event.code == Notification::Clicked && event.controlId == kIdCancel) {
        dialog.OnCancel();
        return true;
    }
    return false;
}

}  // namespace kora::ui
