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

int Dialog::Dpi() const { return window_ ? window_->Dpi() : kDefaultDpi; }

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

Dialog::RowBinding* Dialog::FindRows(int id) {
    for (RowBinding& binding : boundRows_) {
        if (binding.id == id) return &binding;
    }
    return nullptr;
}

RowModel* Dialog::RowsOf(int id) const {
    for (const RowBinding& binding : boundRows_) {
        if (binding.id == id) return binding.rows;
    }
    return nullptr;
}

void Dialog::ShowRows(int id, RowModel& rows) {
    if (RowBinding* bound = FindRows(id)) {
        *bound = RowBinding{id, &rows, 0, {}};
    } else {
        boundRows_.push_back(RowBinding{id, &rows, 0, {}});
    }
    if (window_ && window_->ShowRows(id, &rows)) RowsChanged(id, 0, -1);
}

void Dialog::RowsChanged(int id, int first, int last) {
    RowBinding* bound = FindRows(id);
    if (!window_ || !bound) return;
    const int count = bound->rows->RowCount();
    if (count != bound->shownCount) {
        window_->SetRowCount(id, count);
        bound->shownCount = count;
        // The control drops the states of rows it no longer has.
        for (int* state : {&bound->shown.selected, &bound->shown.focused}) {
            if (*state >= count) *state = -1;
        }
    }
    if (last < 0 || last >= count) last = count - 1;
    if (first < 0) first = 0;
    if (first <= last) window_->RedrawRows(id, first, last);
    ShowStates(id);
}

// Brings the control's states to the model's. Each change comes back as a
// notice that the model takes again; the model's mark is put back after
// them, since a row gaining the selection would take the mark.
void Dialog::ShowStates(int id) {
    const RowBinding* bound = FindRows(id);
    if (!bound) return;
    const RowStates wanted = bound->rows->States();
    const RowStates shown = bound->shown;
    if (wanted.selected != shown.selected) {
        if (wanted.selected >= 0) {
            window_->SetItemState(id, wanted.selected, kLvisSelected, kLvisSelected);
        } else {
            window_->SetItemState(id, shown.selected, 0, kLvisSelected);
        }
    }
    if (wanted.focused != shown.focused) {
        if (wanted.focused >= 0) {
            window_->SetItemState(id, wanted.focused, kLvisFocused, kLvisFocused);
        } else {
            window_->SetItemState(id, shown.focused, 0, kLvisFocused);
        }
    }
    if (window_->SelectionMark(id) != wanted.mark) window_->SetSelectionMark(id, wanted.mark);
    if (RowBinding* again = FindRows(id)) again->rows->States() = wanted;
}

void Dialog::TakeStateChange(const NotifyEvent& event) {
    if (event.code != Notification::ItemChanged || !(event.changed & kLvifState)) return;
    RowBinding* bound = FindRows(event.controlId);
    if (!bound) return;
    const int last = event.lastItem >= 0 ? event.lastItem : event.item;
    ApplyStateChange(bound->rows->States(), event.item, last, event.oldState, event.newState);
    ApplyStateChange(bound->shown, event.item, last, event.oldState, event.newState);
}

void DialogBridge::Attach(Dialog& dialog, DialogWindow& window) {
    dialog.window_ = &window;
    for (auto& [id, events] : dialog.boundEvents_) window.BindEvents(id, *events);
    // A new window holds no rows yet, and nothing of them is selected.
    for (Dialog::RowBinding& bound : dialog.boundRows_) {
        bound.shownCount = 0;
        bound.shown = {};
        bound.rows->States() = {};
    }
    for (const Dialog::RowBinding& bound : std::vector(dialog.boundRows_)) {
        if (window.ShowRows(bound.id, bound.rows)) dialog.RowsChanged(bound.id, 0, -1);
    }
}

bool DialogBridge::Dispatch(Dialog& dialog, const NotifyEvent& event) {
    dialog.TakeStateChange(event);
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
